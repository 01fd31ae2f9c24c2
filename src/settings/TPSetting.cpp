#include "settings/TPSetting.h"

#include <QWidget>

#include <cmath>

namespace kora {

namespace {

[[noreturn]] void cannotGet()
{
    throw EPSettingException("Cannot use GetAs functions with collections or hidden properties");
}

[[noreturn]] void cannotConvert(const char *getter, const char *type)
{
    throw EPSettingException(std::string("TPSetting.") + getter + " cannot convert from " + type + " type");
}

bool isAsciiLetterOrDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

qint32 truncatedInteger(double number)
{
    if (!std::isfinite(number) || std::fabs(number) >= 2147483648.0)
        return 0;
    return qint32(std::trunc(number));
}

} // namespace

TPSetting::TPSetting(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
}

QString TPSetting::UniqueName() const
{
    QString unique = m_boundProperty + m_name;
    for (QChar &ch : unique) {
        if (!isAsciiLetterOrDigit(ch))
            ch = u'_';
    }
    return unique;
}

void TPSetting::readBoundProperty()
{
    m_value = PropertyBinding::resolve(m_window, m_boundProperty).read();
}

void TPSetting::takeDesignSnapshot()
{
    readBoundProperty();
    m_design = m_value;
}

void TPSetting::assign(const SettingValue &value)
{
    m_value = value;
    if (isBound())
        PropertyBinding::resolve(m_window, m_boundProperty).write(value);
}

void TPSetting::refresh()
{
    if (isBound())
        readBoundProperty();
}

void TPSetting::set(const SettingValue &value)
{
    if (m_value.kind == ValueKind::DefinedProperty || m_value.kind == ValueKind::Collection)
        throw EPSettingException("Cannot use SetAs functions with collections or hidden properties");
    assign(value);
}

bool TPSetting::AsBoolean()
{
    refresh();
    switch (m_value.kind) {
    case ValueKind::Empty:
        return false;
    case ValueKind::String:
    case ValueKind::Variant:
        return m_value.text == QLatin1String("True");
    case ValueKind::Integer:
        return m_value.integer != 0;
    case ValueKind::Float:
        return m_value.number != 0.0;
    case ValueKind::Boolean:
        return m_value.boolean;
    case ValueKind::DateTime:
        cannotConvert("AsBoolean", "TDateTime");
    case ValueKind::StringList:
        cannotConvert("AsBoolean", "TStrings");
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        break;
    }
    cannotGet();
}

qint32 TPSetting::AsInteger()
{
    refresh();
    switch (m_value.kind) {
    case ValueKind::Empty:
        return 0;
    case ValueKind::String:
    case ValueKind::Variant:
        return truncatedInteger(parseFloat(m_value.text).value_or(0));
    case ValueKind::Integer:
        return m_value.integer;
    case ValueKind::Float:
        return truncatedInteger(m_value.number);
    case ValueKind::Boolean:
        return m_value.boolean ? 1 : 0;
    case ValueKind::DateTime:
        cannotConvert("AsInteger", "TDateTime");
    case ValueKind::StringList:
        cannotConvert("AsInteger", "TStrings");
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        break;
    }
    cannotGet();
}

double TPSetting::AsFloat()
{
    refresh();
    switch (m_value.kind) {
    case ValueKind::Empty:
        return 0.0;
    case ValueKind::String:
    case ValueKind::Variant:
        return parseFloat(m_value.text).value_or(0.0);
    case ValueKind::Integer:
        return m_value.integer;
    case ValueKind::Float:
    case ValueKind::DateTime:
        return m_value.number;
    case ValueKind::Boolean:
        return m_value.boolean ? 1.0 : 0.0;
    case ValueKind::StringList:
        cannotConvert("AsFloat", "TStrings");
    case ValueKind::DefinedProperty:
    case ValueKind::Collection:
        break;
    }
    cannotGet();
}

QString TPSetting::AsString()
{
    refresh();
    if (m_value.kind == ValueKind::DefinedProperty || m_value.kind == ValueKind::Collection)
        cannotGet();
    return textOf(m_value);
}

void TPSetting::setAsBoolean(bool value)
{
    set(SettingValue::fromBoolean(value));
}

void TPSetting::setAsInteger(qint32 value)
{
    set(SettingValue::fromInteger(value));
}

void TPSetting::setAsFloat(double value)
{
    set(SettingValue::fromFloat(value));
}

void TPSetting::setAsString(const QString &value)
{
    set(SettingValue::string(value));
}

void TPSetting::setAsDateTime(const QDateTime &value)
{
    set(SettingValue::dateTime(toDays(value)));
}

void TPSetting::setAsStrings(const QStringList &value)
{
    set(SettingValue::stringList(value));
}

void TPSetting::setAsVariant(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QVariantList || value.metaType().id() == QMetaType::QStringList)
        throw EPSettingException("TPSetting.AsVariant cannot accept variant arrays");
    set(SettingValue::variant(value.toString()));
}

} // namespace kora
