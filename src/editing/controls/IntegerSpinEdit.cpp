#include "editing/controls/IntegerSpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace kora {

IntegerSpinEdit::IntegerSpinEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    setValue(0);
}

void IntegerSpinEdit::setValue(int value)
{
    lineEdit()->setText(QString::number(value));
}

void IntegerSpinEdit::stepBy(int steps)
{
    bool ok = false;
    const qint64 shown = text().toInt(&ok);
    const qint64 next = std::clamp<qint64>(ok ? shown + steps : steps, std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max());
    setValue(int(next));
    selectAll();
}

QValidator::State IntegerSpinEdit::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

QSize IntegerSpinEdit::sizeHint() const
{
    // Room for the widest number, whatever is shown now.
    const QSize base = QAbstractSpinBox::sizeHint();
    const int digits = fontMetrics().horizontalAdvance(QStringLiteral("-2147483648 "));
    return {std::max(base.width(), digits + base.height()), base.height()};
}

QAbstractSpinBox::StepEnabled IntegerSpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

} // namespace kora
