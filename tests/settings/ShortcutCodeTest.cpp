// Shortcuts as the settings keep them: 16-bit codes of a virtual-key number and modifier bits.
#include "settings/ShortcutCode.h"

#include <gtest/gtest.h>

using namespace kora;

TEST(ShortcutCode, CodesAndKeySequencesConvertBothWays)
{
    struct Case
    {
        const char *what;
        quint32 code;
        QKeySequence keys;
    };
    const Case cases[] = {
        {"Konec: Alt+F4", 32883, QKeySequence(Qt::ALT | Qt::Key_F4)},
        {"Minimalizace do ikony: F10", 121, QKeySequence(Qt::Key_F10)},
        {"Konec with Esc", 27, QKeySequence(Qt::Key_Escape)},
        {"no shortcut", 0, QKeySequence()},
        {"letter with Ctrl", 0x4000 | 'N', QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"all three modifiers", 0xe000 | 'Q', QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::ALT | Qt::Key_Q)},
        {"Možnosti: Shift+Ctrl+F3", 0x6000 | 0x72, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F3)},
        {"digit", 0x8000 | '7', QKeySequence(Qt::ALT | Qt::Key_7)},
        {"F24", 0x87, QKeySequence(Qt::Key_F24)},
        {"Tab", 0x09, QKeySequence(Qt::Key_Tab)},
        {"Delete", 0x2e, QKeySequence(Qt::Key_Delete)},
        {"arrow", 0x4000 | 0x25, QKeySequence(Qt::CTRL | Qt::Key_Left)},
        {"page down", 0x22, QKeySequence(Qt::Key_PageDown)},
        {"keypad digit", 0x63, QKeySequence(Qt::KeypadModifier | Qt::Key_3)},
        {"keypad minus", 0x6d, QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)},
        {"minus of the main keys", 0xbd, QKeySequence(Qt::Key_Minus)},
        {"bracket", 0x4000 | 0xdb, QKeySequence(Qt::CTRL | Qt::Key_BracketLeft)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ShortcutCode::fromKeySequence(c.keys), std::optional<quint16>(quint16(c.code)));
        EXPECT_EQ(ShortcutCode::toKeySequence(c.code), std::optional<QKeySequence>(c.keys));
    }
    // Shift+Tab as Qt reports it.
    EXPECT_EQ(ShortcutCode::fromKeySequence(QKeySequence(Qt::SHIFT | Qt::Key_Backtab)), 0x2009);
    EXPECT_EQ(ShortcutCode::fromKeySequence(QKeySequence(Qt::Key_Enter)), 0x0d);
}

TEST(ShortcutCode, WhatACodeCannotHoldHasNoCodeAndBadCodesNoKeys)
{
    EXPECT_FALSE(ShortcutCode::fromKeySequence(QKeySequence(Qt::META | Qt::Key_A)));
    EXPECT_FALSE(ShortcutCode::fromKeySequence(QKeySequence(Qt::CTRL | Qt::Key_K, Qt::CTRL | Qt::Key_C)));
    EXPECT_FALSE(ShortcutCode::fromKeySequence(QKeySequence(Qt::Key_Eacute)));

    struct Case
    {
        const char *what;
        quint32 code;
    };
    const Case cases[] = {
        {"Alt alone", 0x8000},
        {"key number naming no key", 0x00ff},
        {"key number 0 with Ctrl", 0x4000},
        {"bit beside the modifiers", 0x0100 | 'A'},
        {"above 16 bits", 0x10000 | 'A'},
        {"negative dword", 0xffffffffu},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(ShortcutCode::toKeySequence(c.code)) << c.what;
}
