#pragma once

#include <QString>

namespace kora {

// A desk calculator without windows: operations run left to right as they are keyed in
// (2 + 3 × 4 = gives 20), "=" repeated repeats the last operation, and a failure (division by
// zero, the root of a negative number, a result out of range) puts it into an error state that
// only C or CE leave.
class DeskCalculator
{
public:
    enum class Key {
        Digit0,
        Digit1,
        Digit2,
        Digit3,
        Digit4,
        Digit5,
        Digit6,
        Digit7,
        Digit8,
        Digit9,
        Comma,
        Add,
        Subtract,
        Multiply,
        Divide,
        Equals,
        Percent,
        SquareRoot,
        Negate,
        Backspace,
        Clear,      // C: everything but the memory
        ClearEntry, // CE: the number being keyed in
        MemoryClear,
        MemoryRecall,
        MemoryStore,
        MemoryAdd,
        MemorySubtract,
    };

    // The most significant digits a number keyed in may have.
    static constexpr int kMaxDigits = 15;

    void press(Key key);
    // Presses the keys of `keys`: digits, ",", "+", "-", "*", "/", "=", "%", "r" (root),
    // "n" (sign), "<" (backspace), "C", "E" (CE), "c" (MC), "m" (MR), "s" (MS), "p" (M+),
    // "q" (M−). Other characters are ignored.
    void pressKeys(QStringView keys);

    // What the display shows: the number with a decimal comma, or "Chyba".
    QString display() const;
    bool hasError() const { return m_error; }
    bool hasMemory() const { return m_memory != 0; }
    // Nothing to clear: 0 shown, no operation pending, no error (the memory aside).
    bool isClear() const;
    double value() const;

    static const QString kErrorText;

private:
    enum class Op { None, Add, Subtract, Multiply, Divide };

    void appendDigit(int digit);
    void appendComma();
    void chooseOperation(Op op);
    void equals();
    void percent();
    void setResult(double value);
    double apply(Op op, double left, double right);
    void clearAll();

    double m_accumulator = 0; // the left operand of the pending operation
    double m_result = 0;      // the number shown when nothing is being keyed in
    QString m_entry;          // digits being keyed in ("" when none), '.' as the decimal point
    bool m_entryNegative = false;
    Op m_pending = Op::None;
    bool m_operandGiven = false; // a number followed the pending operation
    Op m_lastOp = Op::None;      // for repeating "="
    double m_lastOperand = 0;
    double m_memory = 0;
    bool m_error = false;
};

} // namespace kora
