#pragma once

#include <QAbstractSpinBox>

namespace kora {

// An edit field for a whole number with up and down buttons. It keeps whatever the user types,
// so the owner converts the text itself and reports text that is not a number; the buttons and
// arrow keys step from the number shown (from 0 when the text is not one) without bounds other
// than the integer range.
class IntegerSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit IntegerSpinEdit(QWidget *parent = nullptr);

    void setValue(int value);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    QSize sizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;
};

} // namespace kora
