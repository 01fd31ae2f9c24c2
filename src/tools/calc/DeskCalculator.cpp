#include "tools/calc/DeskCalculator.h"

#include <cmath>

namespace kora {

const QString DeskCalculator::kErrorText = QStringLiteral("Chyba");

void DeskCalculator::press(Key key)
{
    if (m_error && key != Key::Clear && key != Key::ClearEntry)
        return;
    switch (key) {
    case Key::Digit0:
    case Key::Digit1:
    case Key::Digit2:
    case Key::Digit3:
    case Key::Digit4:
    case Key::Digit5:
    case Key::Digit6:
    case Key::Digit7:
    case Key::Digit8:
    case Key::Digit9:
        appendDigit(int(key) - int(Key::Digit0));
        break;
    case Key::Comma:
        appendComma();
        break;
    case Key::Add:
        chooseOperation(Op::Add);
        break;
    case Key::Subtract:
        chooseOperation(Op::Subtract);
        break;
    case Key::Multiply:
        chooseOperation(Op::Multiply);
        break;
    case Key::Divide:
        chooseOperation(Op::Divide);
        break;
    case Key::Equals:
        equals();
        break;
    case Key::Percent:
        percent();
        break;
    case Key::SquareRoot:
        if (value() < 0)
            m_error = true;
        else
            setResult(std::sqrt(value()));
        m_operandGiven = m_pending != Op::None;
        break;
    case Key::Negate:
        if (!m_entry.isEmpty()) {
            m_entryNegative = !m_entryNegative;
        } else {
            setResult(-m_result);
            m_operandGiven = m_pending != Op::None;
        }
        break;
    case Key::Backspace:
        if (!m_entry.isEmpty()) {
            m_entry.chop(1);
            if (m_entry.isEmpty())
                m_entry = QStringLiteral("0");
        }
        break;
    case Key::Clear:
        clearAll();
        break;
    case Key::ClearEntry:
        if (m_error) {
            clearAll();
        } else {
            m_entry = QStringLiteral("0");
            m_entryNegative = false;
        }
        break;
    case Key::MemoryClear:
        m_memory = 0;
        break;
    case Key::MemoryRecall:
        setResult(m_memory);
        m_operandGiven = m_pending != Op::None;
        break;
    case Key::MemoryStore:
    case Key::MemoryAdd:
    case Key::MemorySubtract:
        // The number is taken as it is; the next digit starts a new one.
        setResult(value());
        if (key == Key::MemoryStore)
            m_memory = value();
        else
            m_memory += key == Key::MemoryAdd ? value() : -value();
        break;
    }
}

void DeskCalculator::pressKeys(QStringView keys)
{
    for (const QChar ch : keys) {
        if (ch.isDigit()) {
            press(Key(int(Key::Digit0) + ch.digitValue()));
            continue;
        }
        switch (ch.unicode()) {
        case u',':
            press(Key::Comma);
            break;
        case u'+':
            press(Key::Add);
            break;
        case u'-':
            press(Key::Subtract);
            break;
        case u'*':
            press(Key::Multiply);
            break;
        case u'/':
            press(Key::Divide);
            break;
        case u'=':
            press(Key::Equals);
            break;
        case u'%':
            press(Key::Percent);
            break;
        case u'r':
            press(Key::SquareRoot);
            break;
        case u'n':
            press(Key::Negate);
            break;
        case u'<':
            press(Key::Backspace);
            break;
        case u'C':
            press(Key::Clear);
            break;
        case u'E':
            press(Key::ClearEntry);
            break;
        case u'c':
            press(Key::MemoryClear);
            break;
        case u'm':
            press(Key::MemoryRecall);
            break;
        case u's':
            press(Key::MemoryStore);
            break;
        case u'p':
            press(Key::MemoryAdd);
            break;
        case u'q':
            press(Key::MemorySubtract);
            break;
        default:
            break;
        }
    }
}

QString DeskCalculator::display() const
{
    if (m_error)
        return kErrorText;
    QString text;
    if (!m_entry.isEmpty())
        text = (m_entryNegative ? QStringLiteral("-") : QString()) + m_entry;
    else
        text = QString::number(m_result, 'g', kMaxDigits);
    return text.replace(u'.', u',');
}

bool DeskCalculator::isClear() const
{
    return !m_error && m_pending == Op::None && value() == 0 && (m_entry.isEmpty() || m_entry == u"0");
}

double DeskCalculator::value() const
{
    if (m_entry.isEmpty())
        return m_result;
    const double magnitude = m_entry.toDouble();
    return m_entryNegative ? -magnitude : magnitude;
}

void DeskCalculator::appendDigit(int digit)
{
    if (m_entry.isEmpty() || m_entry == u"0") {
        if (m_entry.isEmpty())
            m_entryNegative = false;
        m_entry = QString::number(digit);
    } else {
        int digits = 0;
        for (const QChar ch : std::as_const(m_entry))
            digits += ch.isDigit() ? 1 : 0;
        if (digits < kMaxDigits)
            m_entry += QChar(u'0' + digit);
    }
    m_operandGiven = m_pending != Op::None;
}

void DeskCalculator::appendComma()
{
    if (m_entry.isEmpty()) {
        m_entry = QStringLiteral("0.");
        m_entryNegative = false;
    } else if (!m_entry.contains(u'.')) {
        m_entry += u'.';
    }
    m_operandGiven = m_pending != Op::None;
}

void DeskCalculator::chooseOperation(Op op)
{
    if (m_pending != Op::None && m_operandGiven)
        setResult(apply(m_pending, m_accumulator, value()));
    else
        setResult(value());
    if (m_error)
        return;
    m_accumulator = m_result;
    m_pending = op;
    m_operandGiven = false;
}

void DeskCalculator::equals()
{
    if (m_pending != Op::None) {
        // "2 + =" takes the shown number as the right operand too.
        const double right = m_operandGiven ? value() : m_accumulator;
        m_lastOp = m_pending;
        m_lastOperand = right;
        m_pending = Op::None;
        m_operandGiven = false;
        setResult(apply(m_lastOp, m_accumulator, right));
    } else if (m_lastOp != Op::None) {
        setResult(apply(m_lastOp, value(), m_lastOperand));
    } else {
        setResult(value());
    }
}

void DeskCalculator::percent()
{
    // a + b % adds b per cent of a; a × b % multiplies by b hundredths; b % alone is b / 100.
    const double current = value();
    if (m_pending == Op::Add || m_pending == Op::Subtract)
        setResult(m_accumulator * current / 100);
    else
        setResult(current / 100);
    m_operandGiven = m_pending != Op::None;
}

void DeskCalculator::setResult(double value)
{
    m_entry.clear();
    m_entryNegative = false;
    if (!std::isfinite(value)) {
        m_error = true;
        return;
    }
    m_result = value == 0 ? 0 : value; // never "-0"
}

double DeskCalculator::apply(Op op, double left, double right)
{
    switch (op) {
    case Op::Add:
        return left + right;
    case Op::Subtract:
        return left - right;
    case Op::Multiply:
        return left * right;
    case Op::Divide:
        return right == 0 ? std::nan("") : left / right;
    case Op::None:
        break;
    }
    return right;
}

void DeskCalculator::clearAll()
{
    const double memory = m_memory;
    *this = DeskCalculator();
    m_memory = memory;
}

} // namespace kora
