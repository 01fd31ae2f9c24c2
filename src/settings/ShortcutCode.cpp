#include "settings/ShortcutCode.h"

#include <array>
#include <utility>

namespace kora::ShortcutCode {

namespace {

constexpr quint16 kModifierBits = kShift | kCtrl | kAlt;

// Virtual-key numbers of the keys that have no run of their own below.
constexpr std::pair<quint8, Qt::Key> kNamedKeys[] = {
    {0x08, Qt::Key_Backspace},  {0x09, Qt::Key_Tab},         {0x0d, Qt::Key_Return},    {0x13, Qt::Key_Pause},
    {0x14, Qt::Key_CapsLock},   {0x1b, Qt::Key_Escape},      {0x20, Qt::Key_Space},     {0x21, Qt::Key_PageUp},
    {0x22, Qt::Key_PageDown},   {0x23, Qt::Key_End},         {0x24, Qt::Key_Home},      {0x25, Qt::Key_Left},
    {0x26, Qt::Key_Up},         {0x27, Qt::Key_Right},       {0x28, Qt::Key_Down},      {0x2c, Qt::Key_Print},
    {0x2d, Qt::Key_Insert},     {0x2e, Qt::Key_Delete},      {0x2f, Qt::Key_Help},      {0x5d, Qt::Key_Menu},
    {0x90, Qt::Key_NumLock},    {0x91, Qt::Key_ScrollLock},  {0xba, Qt::Key_Semicolon}, {0xbb, Qt::Key_Equal},
    {0xbc, Qt::Key_Comma},      {0xbd, Qt::Key_Minus},       {0xbe, Qt::Key_Period},    {0xbf, Qt::Key_Slash},
    {0xc0, Qt::Key_QuoteLeft},  {0xdb, Qt::Key_BracketLeft}, {0xdc, Qt::Key_Backslash}, {0xdd, Qt::Key_BracketRight},
    {0xde, Qt::Key_Apostrophe},
};

// Keys of the numeric keypad: digits 0x60-0x69, then * + (separator) - . /
constexpr std::pair<quint8, Qt::Key> kKeypadKeys[] = {
    {0x6a, Qt::Key_Asterisk}, {0x6b, Qt::Key_Plus},  {0x6d, Qt::Key_Minus},
    {0x6e, Qt::Key_Period},   {0x6f, Qt::Key_Slash},
};

std::optional<quint8> virtualKey(Qt::Key key, bool keypad)
{
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return quint8(0x60 + (key - Qt::Key_0));
        for (const auto &[code, qtKey] : kKeypadKeys) {
            if (qtKey == key)
                return code;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return quint8(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return quint8(0x70 + (key - Qt::Key_F1));
    if (key == Qt::Key_Enter)
        return quint8(0x0d);
    for (const auto &[code, qtKey] : kNamedKeys) {
        if (qtKey == key)
            return code;
    }
    return std::nullopt;
}

std::optional<QKeyCombination> qtKey(quint8 code)
{
    if ((code >= 0x30 && code <= 0x39) || (code >= 0x41 && code <= 0x5a))
        return QKeyCombination(Qt::Key(code));
    if (code >= 0x70 && code <= 0x87)
        return QKeyCombination(Qt::Key(Qt::Key_F1 + (code - 0x70)));
    if (code >= 0x60 && code <= 0x69)
        return QKeyCombination(Qt::KeypadModifier, Qt::Key(Qt::Key_0 + (code - 0x60)));
    for (const auto &[keyCode, key] : kKeypadKeys) {
        if (keyCode == code)
            return QKeyCombination(Qt::KeypadModifier, key);
    }
    for (const auto &[keyCode, key] : kNamedKeys) {
        if (keyCode == code)
            return QKeyCombination(key);
    }
    return std::nullopt;
}

} // namespace

std::optional<quint16> fromKeySequence(const QKeySequence &keys)
{
    if (keys.isEmpty())
        return quint16(0);
    if (keys.count() != 1)
        return std::nullopt;
    const QKeyCombination chord = keys[0];
    const Qt::KeyboardModifiers modifiers = chord.keyboardModifiers();
    if (modifiers & (Qt::MetaModifier | Qt::GroupSwitchModifier))
        return std::nullopt;
    Qt::Key key = chord.key();
    quint16 code = 0;
    // Shift+Tab arrives as Backtab.
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        code |= kShift;
    }
    const std::optional<quint8> number = virtualKey(key, modifiers & Qt::KeypadModifier);
    if (!number)
        return std::nullopt;
    code |= *number;
    if (modifiers & Qt::ShiftModifier)
        code |= kShift;
    if (modifiers & Qt::ControlModifier)
        code |= kCtrl;
    if (modifiers & Qt::AltModifier)
        code |= kAlt;
    return code;
}

std::optional<QKeySequence> toKeySequence(quint32 code)
{
    if (code == 0)
        return QKeySequence();
    if (code > 0xffff || (code & 0xff00 & ~kModifierBits))
        return std::nullopt;
    const std::optional<QKeyCombination> key = qtKey(quint8(code & 0xff));
    if (!key)
        return std::nullopt;
    Qt::KeyboardModifiers modifiers = key->keyboardModifiers();
    if (code & kShift)
        modifiers |= Qt::ShiftModifier;
    if (code & kCtrl)
        modifiers |= Qt::ControlModifier;
    if (code & kAlt)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, key->key()));
}

} // namespace kora::ShortcutCode
