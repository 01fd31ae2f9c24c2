#pragma once

#include "tools/calc/DeskCalculator.h"

#include <QDialog>

class QLabel;

namespace kora {

// "Kalkulačka": the desk calculator as a dialog, worked with the mouse or the keyboard
// (digits, "," or ".", + - * /, Enter or "=", %, Backspace, Delete for CE, Esc for C, and Esc
// once more, with nothing left to clear, closes it).
class TRxCalculator : public QDialog
{
    Q_OBJECT
public:
    explicit TRxCalculator(QWidget *parent = nullptr);

    const DeskCalculator &calculator() const { return m_calculator; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(DeskCalculator::Key key);
    void showState();

    DeskCalculator m_calculator;
    QLabel *m_display;
    QLabel *m_memory;
};

} // namespace kora
