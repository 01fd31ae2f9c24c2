#include "tools/calc/TRxCalculator.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

namespace {

using Key = DeskCalculator::Key;

struct KeyButton
{
    const char *caption; // UTF-8
    const char *name;
    Key key;
    int row;
    int column;
    int rowSpan = 1;
    int columnSpan = 1;
};

const KeyButton kButtons[] = {
    {"MC", "bMC", Key::MemoryClear, 0, 0},
    {"MR", "bMR", Key::MemoryRecall, 0, 1},
    {"MS", "bMS", Key::MemoryStore, 0, 2},
    {"M+", "bMPlus", Key::MemoryAdd, 0, 3},
    {"M−", "bMMinus", Key::MemorySubtract, 0, 4},
    {"←", "bBackspace", Key::Backspace, 1, 0},
    {"CE", "bCE", Key::ClearEntry, 1, 1},
    {"C", "bC", Key::Clear, 1, 2},
    {"±", "bNegate", Key::Negate, 1, 3},
    {"√", "bRoot", Key::SquareRoot, 1, 4},
    {"7", "b7", Key::Digit7, 2, 0},
    {"8", "b8", Key::Digit8, 2, 1},
    {"9", "b9", Key::Digit9, 2, 2},
    {"÷", "bDivide", Key::Divide, 2, 3},
    {"%", "bPercent", Key::Percent, 2, 4},
    {"4", "b4", Key::Digit4, 3, 0},
    {"5", "b5", Key::Digit5, 3, 1},
    {"6", "b6", Key::Digit6, 3, 2},
    {"×", "bMultiply", Key::Multiply, 3, 3},
    {"=", "bEquals", Key::Equals, 3, 4, 3, 1},
    {"1", "b1", Key::Digit1, 4, 0},
    {"2", "b2", Key::Digit2, 4, 1},
    {"3", "b3", Key::Digit3, 4, 2},
    {"−", "bSubtract", Key::Subtract, 4, 3},
    {"0", "b0", Key::Digit0, 5, 0, 1, 2},
    {",", "bComma", Key::Comma, 5, 2},
    {"+", "bAdd", Key::Add, 5, 3},
};

} // namespace

TRxCalculator::TRxCalculator(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("kal"));
    setWindowTitle(tr("Kalkulačka"));

    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_display->setAutoFillBackground(true);
    m_display->setBackgroundRole(QPalette::Base);
    m_display->setMargin(4);
    QFont big = m_display->font();
    big.setPointSize(big.pointSize() + 6);
    m_display->setFont(big);
    m_display->setMinimumWidth(
        m_display->fontMetrics().horizontalAdvance(QString(DeskCalculator::kMaxDigits + 3, u'8')));

    m_memory = new QLabel(this);
    m_memory->setObjectName(QStringLiteral("memory"));
    m_memory->setFixedWidth(m_memory->fontMetrics().horizontalAdvance(QStringLiteral("MM")));

    auto *top = new QHBoxLayout;
    top->addWidget(m_memory);
    top->addWidget(m_display, 1);

    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    for (const KeyButton &entry : kButtons) {
        auto *button = new QPushButton(QString::fromUtf8(entry.caption), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        // The keys go to the dialog, never to a focused button.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(44, 32);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        const Key key = entry.key;
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(button, entry.row, entry.column, entry.rowSpan, entry.columnSpan);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    setFocusPolicy(Qt::StrongFocus);
    showState();
}

void TRxCalculator::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(Key::Equals);
        return;
    case Qt::Key_Backspace:
        press(Key::Backspace);
        return;
    case Qt::Key_Delete:
        press(Key::ClearEntry);
        return;
    case Qt::Key_Escape:
        if (m_calculator.isClear())
            reject();
        else
            press(Key::Clear);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        const QChar ch = text.front();
        if (ch.isDigit() && ch.unicode() < 128) {
            press(Key(int(Key::Digit0) + ch.digitValue()));
            return;
        }
        const std::pair<char16_t, Key> keys[] = {
            {u',', Key::Comma},    {u'.', Key::Comma},  {u'+', Key::Add},    {u'-', Key::Subtract},
            {u'*', Key::Multiply}, {u'/', Key::Divide}, {u'=', Key::Equals}, {u'%', Key::Percent},
        };
        for (const auto &[character, key] : keys) {
            if (ch == QChar(character)) {
                press(key);
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void TRxCalculator::press(DeskCalculator::Key key)
{
    m_calculator.press(key);
    showState();
}

void TRxCalculator::showState()
{
    m_display->setText(m_calculator.display());
    m_memory->setText(m_calculator.hasMemory() ? QStringLiteral("M") : QString());
}

} // namespace kora
