#include "settings/SettingValue.h"

#include <QLocale>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace kora {

namespace {

constexpr int kExponentBias = 16383;
constexpr quint16 kExponentMax = 0x7fff;
constexpr quint64 kIntegerBit = quint64(1) << 63;

void appendInt32(QByteArray &out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

std::optional<qint32> readInt32(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || bytes.size() - at < 4)
        return std::nullopt;
    return qFromLittleEndian<qint32>(bytes.data() + at);
}

void appendText(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    appendInt32(out, qint32(utf8.size()));
    out.append(utf8);
}

const QDate kDayZero(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

} // namespace

QString textOf(const SettingValue &value)
{
    switch (value.kind) {
    case ValueKind::String:
    case ValueKind::Variant:
        return value.text;
    case ValueKind::Integer:
        return QString::number(value.integer);
    case ValueKind::Float:
        return QString::number(value.number, 'g', 15);
    case ValueKind::Boolean:
        return value.boolean ? QStringLiteral("True") : QStringLiteral("False");
    case ValueKind::DateTime:
        return QLocale().toString(fromDays(value.number), QLocale::ShortFormat);
    case ValueKind::StringList:
        return toCommaText(value.list);
    case ValueKind::Empty:
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        break;
    }
    return {};
}

std::optional<double> parseFloat(const QString &text)
{
    QString number = text.trimmed();
    if (number.count(u',') == 1 && !number.contains(u'.'))
        number.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<double> numberOf(const SettingValue &value)
{
    switch (value.kind) {
    case ValueKind::Integer:
        return value.integer;
    case ValueKind::Float:
        return value.number;
    case ValueKind::String:
    case ValueKind::Variant:
        return parseFloat(value.text);
    default:
        return std::nullopt;
    }
}

double toDays(const QDateTime &dateTime)
{
    const double days = double(kDayZero.daysTo(dateTime.date()));
    const double time = dateTime.time().msecsSinceStartOfDay() / kMsPerDay;
    return days >= 0 ? days + time : days - time;
}

QDateTime fromDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 1e8)
        return {};
    const double whole = std::trunc(days);
    const int ms = int(std::lround(std::fabs(days - whole) * kMsPerDay));
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
}

ExtendedBytes encodeExtended(double value)
{
    quint16 signExponent = std::signbit(value) ? 0x8000 : 0;
    quint64 mantissa = 0;
    if (std::isnan(value)) {
        signExponent |= kExponentMax;
        mantissa = kIntegerBit | (kIntegerBit >> 1);
    } else if (std::isinf(value)) {
        signExponent |= kExponentMax;
        mantissa = kIntegerBit;
    } else if (value != 0) {
        int exponent = 0;
        // value = fraction * 2^exponent with 0.5 <= |fraction| < 1: the fraction's 53 bits
        // become the top of the 64-bit mantissa, whose top bit stands for 2^0.
        const double fraction = std::frexp(std::fabs(value), &exponent);
        mantissa = quint64(std::ldexp(fraction, 64));
        signExponent |= quint16(exponent - 1 + kExponentBias);
    }
    ExtendedBytes bytes{};
    qToLittleEndian(mantissa, bytes.data());
    qToLittleEndian(signExponent, bytes.data() + 8);
    return bytes;
}

double decodeExtended(const ExtendedBytes &bytes)
{
    const quint64 mantissa = qFromLittleEndian<quint64>(bytes.data());
    const quint16 signExponent = qFromLittleEndian<quint16>(bytes.data() + 8);
    const bool negative = signExponent & 0x8000;
    const int exponent = signExponent & kExponentMax;
    double magnitude = 0;
    if (exponent == kExponentMax) {
        magnitude = (mantissa & ~kIntegerBit) == 0 ? std::numeric_limits<double>::infinity()
                                                   : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa != 0) {
        // The mantissa is an integer whose lowest bit stands for 2^(exponent - bias - 63); a
        // stored exponent of 0 (denormal) counts as 1. Two halves keep every bit until ldexp.
        const int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - 63;
        magnitude = std::ldexp(double(mantissa >> 32), scale + 32) + std::ldexp(double(mantissa & 0xffffffffu), scale);
    }
    return negative ? -magnitude : magnitude;
}

QByteArray encodePayload(const SettingValue &value)
{
    QByteArray out;
    switch (value.kind) {
    case ValueKind::Empty:
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        break;
    case ValueKind::String:
    case ValueKind::Variant:
        appendText(out, value.text);
        break;
    case ValueKind::StringList:
        appendText(out, toCommaText(value.list));
        break;
    case ValueKind::Integer:
        appendInt32(out, value.integer);
        break;
    case ValueKind::Float:
    case ValueKind::DateTime: {
        const ExtendedBytes bytes = encodeExtended(value.number);
        out.append(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
        break;
    }
    case ValueKind::Boolean:
        out.append(value.boolean ? '\1' : '\0');
        break;
    }
    return out;
}

QByteArray encodeBinary(const SettingValue &value)
{
    QByteArray out;
    appendInt32(out, qint32(value.kind));
    out.append(encodePayload(value));
    return out;
}

std::optional<SettingValue> decodePayload(ValueKind kind, QByteArrayView bytes, qsizetype *used)
{
    qsizetype size = 0;
    std::optional<SettingValue> result;
    switch (kind) {
    case ValueKind::Empty:
        result = SettingValue();
        break;
    case ValueKind::String:
    case ValueKind::Variant:
    case ValueKind::StringList: {
        const std::optional<qint32> length = readInt32(bytes, 0);
        if (!length || *length < 0 || *length > bytes.size() - 4)
            return std::nullopt;
        const QString text = QString::fromUtf8(bytes.sliced(4, *length));
        size = 4 + *length;
        if (kind == ValueKind::StringList)
            result = SettingValue::stringList(fromCommaText(text));
        else
            result = kind == ValueKind::String ? SettingValue::string(text) : SettingValue::variant(text);
        break;
    }
    case ValueKind::Integer: {
        const std::optional<qint32> integer = readInt32(bytes, 0);
        if (!integer)
            return std::nullopt;
        size = 4;
        result = SettingValue::fromInteger(*integer);
        break;
    }
    case ValueKind::Float:
    case ValueKind::DateTime: {
        ExtendedBytes extended;
        if (bytes.size() < qsizetype(extended.size()))
            return std::nullopt;
        std::copy_n(bytes.data(), extended.size(), extended.begin());
        size = qsizetype(extended.size());
        const double number = decodeExtended(extended);
        result = kind == ValueKind::Float ? SettingValue::fromFloat(number) : SettingValue::dateTime(number);
        break;
    }
    case ValueKind::Boolean:
        if (bytes.isEmpty() || quint8(bytes[0]) > 1)
            return std::nullopt;
        size = 1;
        result = SettingValue::fromBoolean(bytes[0] == 1);
        break;
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        return std::nullopt;
    }
    if (used)
        *used = size;
    return result;
}

std::optional<SettingValue> decodeBinary(QByteArrayView bytes)
{
    const std::optional<qint32> code = readInt32(bytes, 0);
    if (!code || *code < qint32(ValueKind::Float) || *code > qint32(ValueKind::StringList))
        return std::nullopt;
    return decodePayload(ValueKind(*code), bytes.sliced(4));
}

QString toCommaText(const QStringList &list)
{
    QStringList items;
    items.reserve(list.size());
    for (const QString &item : list) {
        const bool quote = item.isEmpty() || std::any_of(item.begin(), item.end(), [](QChar ch) {
                               return ch.unicode() <= u' ' || ch == u',' || ch == u'"';
                           });
        if (!quote) {
            items.append(item);
            continue;
        }
        QString quoted = item;
        quoted.replace(u'"', QStringLiteral("\"\""));
        items.append(u'"' + quoted + u'"');
    }
    return items.join(u',');
}

QStringList fromCommaText(const QString &text)
{
    QStringList list;
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto skipBlanks = [&] {
        while (i < n && text[i].unicode() <= u' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.append(text[i++]);
            }
        } else {
            while (i < n && text[i].unicode() > u' ' && text[i] != u',')
                item.append(text[i++]);
        }
        list.append(item);
        skipBlanks();
        if (i < n && text[i] == u',') {
            ++i;
            skipBlanks();
            if (i == n)
                list.append(QString());
        }
    }
    return list;
}

} // namespace kora
