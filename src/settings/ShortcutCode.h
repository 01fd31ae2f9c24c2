#pragma once

#include <QKeySequence>
#include <QtGlobal>

#include <optional>

namespace kora {

// A shortcut as the settings store it: a 16-bit code whose low byte is the key's virtual-key
// number and whose top bits add Shift (0x2000), Ctrl (0x4000) and Alt (0x8000). Alt+F4 is
// 32883, F10 121, Esc 27; 0 is no shortcut.
namespace ShortcutCode {

constexpr quint16 kShift = 0x2000;
constexpr quint16 kCtrl = 0x4000;
constexpr quint16 kAlt = 0x8000;

// Nothing for a sequence the code cannot hold: several chords, the Meta key, or a key without
// a virtual-key number.
std::optional<quint16> fromKeySequence(const QKeySequence &keys);

// Nothing for a code above 0xFFFF, one with bits beside the three modifiers, or one whose key
// number names no key (modifiers alone included).
std::optional<QKeySequence> toKeySequence(quint32 code);

} // namespace ShortcutCode

} // namespace kora
