#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kora {

// The kind of a persisted value. The code is also the first field of every binary value in the
// registry, so the numbers never change.
enum class ValueKind : quint32 {
    Empty = 0,
    String = 1,
    Integer = 2,
    Float = 3,
    Boolean = 4,
    DateTime = 5, // days since 1899-12-30, the fraction being the time of day
    Variant = 6,  // held as its text
    StringList = 7,
    DefinedProperty = 8, // not produced here; the code stays reserved
    Collection = 9,      // not produced here; the code stays reserved
};

// One persisted value: its kind and the payload that kind uses.
struct SettingValue
{
    ValueKind kind = ValueKind::Empty;
    QString text; // String, Variant
    qint32 integer = 0;
    double number = 0; // Float, DateTime
    bool boolean = false;
    QStringList list; // StringList

    static SettingValue string(const QString &text) { return withText(ValueKind::String, text); }
    static SettingValue variant(const QString &text) { return withText(ValueKind::Variant, text); }
    static SettingValue fromInteger(qint32 value)
    {
        SettingValue v;
        v.kind = ValueKind::Integer;
        v.integer = value;
        return v;
    }
    static SettingValue fromFloat(double value) { return withNumber(ValueKind::Float, value); }
    static SettingValue dateTime(double days) { return withNumber(ValueKind::DateTime, days); }
    static SettingValue fromBoolean(bool value)
    {
        SettingValue v;
        v.kind = ValueKind::Boolean;
        v.boolean = value;
        return v;
    }
    static SettingValue stringList(const QStringList &list)
    {
        SettingValue v;
        v.kind = ValueKind::StringList;
        v.list = list;
        return v;
    }

    bool isEmpty() const { return kind == ValueKind::Empty; }
    friend bool operator==(const SettingValue &, const SettingValue &) = default;

private:
    static SettingValue withText(ValueKind kind, const QString &text)
    {
        SettingValue v;
        v.kind = kind;
        v.text = text;
        return v;
    }
    static SettingValue withNumber(ValueKind kind, double number)
    {
        SettingValue v;
        v.kind = kind;
        v.number = number;
        return v;
    }
};

// The value as text: texts as they are, integers in decimal, floats in general format with up to
// 15 significant digits, Booleans "True" or "False", date-times in the locale's short format,
// lists as their comma text; empty for the empty kind and kinds 8 and 9.
QString textOf(const SettingValue &value);

// A text read as a float: blanks around it allowed, "." or "," before the decimals.
std::optional<double> parseFloat(const QString &text);

// The number an integer or float holds, or that a text or variant reads as; nothing otherwise.
std::optional<double> numberOf(const SettingValue &value);

// Date-times as days since 1899-12-30 00:00 local time, the fraction being the time of day
// (before that day the fraction still counts forward: -1.25 is 1899-12-29 06:00).
double toDays(const QDateTime &dateTime);
QDateTime fromDays(double days);

// An 80-bit extended-precision float as stored on disk: 64-bit mantissa with its explicit
// integer bit, then 15-bit exponent and sign, little-endian. Written and read bit by bit, so the
// result does not depend on what `long double` is on this machine. Every double converts
// exactly; reading rounds to the nearest double (beyond the double range: infinity).
using ExtendedBytes = std::array<unsigned char, 10>;
ExtendedBytes encodeExtended(double value);
double decodeExtended(const ExtendedBytes &bytes);

// The payload of a value without its kind code: a 32-bit little-endian integer, the 10 bytes
// of a float, one byte 0 or 1, or a text as a 32-bit length and its UTF-8 bytes (lists as their
// comma text). Empty has none.
QByteArray encodePayload(const SettingValue &value);

// A registry binary value: the kind code as a 32-bit little-endian integer, then the payload.
QByteArray encodeBinary(const SettingValue &value);

// Reads a value of `kind` from the front of `bytes`; `used` gets the number of bytes read.
// Nothing when the bytes are too short or malformed (a length past the end, a Boolean byte
// other than 0 or 1, a kind without a payload format).
std::optional<SettingValue> decodePayload(ValueKind kind, QByteArrayView bytes, qsizetype *used = nullptr);

// The inverse of encodeBinary for the kinds a binary value holds (3 to 7); bytes after the
// payload are ignored. Nothing for another kind code or damaged bytes.
std::optional<SettingValue> decodeBinary(QByteArrayView bytes);

// A list as one line: items separated by commas; an item that is empty or holds a space,
// control character, comma or double quote is put in double quotes, doubling its quotes.
QString toCommaText(const QStringList &list);
// Reads such a line back. Outside quotes a space separates items as a comma does.
QStringList fromCommaText(const QString &text);

} // namespace kora
