#include "settings/PropertyBinding.h"

#include "settings/ColorRef.h"
#include "settings/ShortcutCode.h"

#include <QApplication>
#include <QColor>
#include <QKeySequence>
#include <QMetaEnum>
#include <QPalette>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kora {

enum class Adapter {
    QtProperty,    // the Qt property named in the row, converted by its type
    Shown,         // a widget's own visibility, also while its window is hidden
    PaletteColor,  // a widget's palette entry, as a colour reference
    ColorProperty, // a QColor property named in the row, as a colour reference
    FloatValue,    // an integer Qt property kept as a float
};

struct PropertyAlias
{
    const char *name;      // as bindings spell it
    const char *className; // the row serves objects that inherit this class
    Adapter adapter;
    const char *qtProperty = nullptr;
    QPalette::ColorRole role = QPalette::NoRole;
    quint32 systemColor = ColorRef::kBlack; // the system colour a colour stands for by default
};

namespace {

// Binding names that Qt spells differently or that need a conversion, tried in order. Every
// other name is looked up among the object's Qt properties without regard to case: Checked,
// Enabled, Interval, ShortCut (QAction's shortcut), Value of a float spin box, Text, …
const PropertyAlias kAliases[] = {
    {"Visible", "QWidget", Adapter::Shown},
    {"Color", "kora::TanlRuler", Adapter::ColorProperty, "Color", QPalette::NoRole, ColorRef::kWindow},
    {"Color", "QColorDialog", Adapter::ColorProperty, "currentColor"},
    {"Color", "QAbstractScrollArea", Adapter::PaletteColor, nullptr, QPalette::Base, ColorRef::kWindow},
    {"Color", "QWidget", Adapter::PaletteColor, nullptr, QPalette::Window, ColorRef::kButtonFace},
    {"HotKey", "QKeySequenceEdit", Adapter::QtProperty, "keySequence"},
    {"Value", "QSpinBox", Adapter::FloatValue, "value"},
};

// The colour reference last written to an object, so a system colour reads back as itself.
constexpr char kColorRefProperty[] = "_kora_colorRef";

bool sameAscii(QStringView a, QStringView b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](QChar x, QChar y) {
        return x == y || (x.unicode() < 128 && y.unicode() < 128 && x.toLower() == y.toLower());
    });
}

const PropertyAlias *findAlias(const QObject *object, const QString &name)
{
    for (const PropertyAlias &alias : kAliases) {
        if (sameAscii(name, QString::fromLatin1(alias.name)) && object->inherits(alias.className))
            return &alias;
    }
    return nullptr;
}

QMetaProperty findProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    QMetaProperty folded;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString own = QString::fromLatin1(property.name());
        if (own == name)
            return property;
        if (!folded.isValid() && sameAscii(own, name))
            folded = property;
    }
    return folded;
}

// Whether `object` belongs to `window` rather than to another window in it: a dialog the window
// holds (its colour dialog) is its component, the controls inside that dialog are not. Menus
// are windows too, but they and their items belong to the window that holds them.
bool ownedBy(const QObject *object, const QWidget *window)
{
    for (const QObject *o = object->parent(); o; o = o->parent()) {
        if (o == window)
            return true;
        const auto *widget = qobject_cast<const QWidget *>(o);
        if (widget && widget->isWindow() && widget->windowType() != Qt::Popup)
            return false;
    }
    return false;
}

QObject *findComponent(QWidget *window, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    QObject *folded = nullptr;
    for (QObject *child : window->findChildren<QObject *>()) {
        const QString own = child->objectName();
        if (own.isEmpty() || !sameAscii(own, name) || !ownedBy(child, window))
            continue;
        if (own == name)
            return child;
        if (!folded)
            folded = child;
    }
    return folded;
}

bool isObjectPointer(const QMetaProperty &property)
{
    return property.metaType().flags() & QMetaType::PointerToQObject;
}

std::optional<int> enumValue(const QMetaEnum &meta, const QString &name)
{
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (sameAscii(name, QString::fromLatin1(meta.key(i))))
            return meta.value(i);
    }
    return std::nullopt;
}

// Truncated toward zero; nothing outside the 32-bit range or for a value that is no number.
std::optional<qint32> truncated(double number)
{
    if (!std::isfinite(number))
        return std::nullopt;
    const double whole = std::trunc(number);
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(whole);
}

// A 32-bit code as written: dwords come back as signed integers, texts may hold them unsigned.
std::optional<quint32> codeOf(const SettingValue &value)
{
    const std::optional<double> number = numberOf(value);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    const double whole = std::trunc(*number);
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(qint64(whole));
}

QPalette paletteFor(const QObject *object)
{
    if (const auto *widget = qobject_cast<const QWidget *>(object))
        return QApplication::palette(widget);
    return QGuiApplication::palette();
}

SettingValue describeColor(const QObject *object, const QColor &color, quint32 systemColor)
{
    const QPalette palette = paletteFor(object);
    const QVariant remembered = object->property(kColorRefProperty);
    if (remembered.isValid()) {
        const quint32 ref = remembered.toUInt();
        if (const std::optional<QColor> shown = ColorRef::resolve(ref, palette);
            shown && ColorRef::fromColor(*shown) == ColorRef::fromColor(color)) {
            return SettingValue::fromInteger(qint32(ref));
        }
    }
    return SettingValue::fromInteger(qint32(ColorRef::describe(color, systemColor, palette)));
}

// The colour a value stands for; the reference is remembered on `object` for reading back.
std::optional<QColor> colorFor(QObject *object, const SettingValue &value)
{
    const std::optional<quint32> ref = codeOf(value);
    if (!ref)
        return std::nullopt;
    const std::optional<QColor> color = ColorRef::resolve(*ref, paletteFor(object));
    if (color)
        object->setProperty(kColorRefProperty, *ref);
    return color;
}

QVariant variantOf(const SettingValue &value)
{
    switch (value.kind) {
    case ValueKind::Integer:
        return value.integer;
    case ValueKind::Float:
        return value.number;
    case ValueKind::Boolean:
        return value.boolean;
    case ValueKind::DateTime:
        return fromDays(value.number);
    case ValueKind::StringList:
        return value.list;
    default:
        return textOf(value);
    }
}

SettingValue readProperty(const QObject *object, const QMetaProperty &property)
{
    const QVariant data = property.read(object);
    if (property.isEnumType()) {
        const QMetaEnum meta = property.enumerator();
        const int bits = data.toInt();
        if (!meta.isFlag()) {
            const char *key = meta.valueToKey(bits);
            return key ? SettingValue::string(QLatin1String(key)) : SettingValue();
        }
        QStringList members;
        for (int i = 0; i < meta.keyCount(); ++i) {
            const int member = meta.value(i);
            // Sets list single members only; combinations of them repeat what is listed.
            if (member != 0 && (member & (member - 1)) == 0 && (bits & member) == member)
                members << QLatin1String(meta.key(i));
        }
        return SettingValue::string(members.join(u','));
    }
    switch (property.metaType().id()) {
    case QMetaType::Bool:
        return SettingValue::string(data.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return SettingValue::fromInteger(qint32(data.toLongLong()));
    case QMetaType::QChar:
        return SettingValue::fromInteger(data.toChar().unicode());
    case QMetaType::Double:
    case QMetaType::Float:
        return SettingValue::fromFloat(data.toDouble());
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return SettingValue::string(data.toString());
    case QMetaType::QStringList:
        return SettingValue::stringList(data.toStringList());
    case QMetaType::QColor:
        return describeColor(object, data.value<QColor>(), ColorRef::kBlack);
    case QMetaType::QKeySequence: {
        const std::optional<quint16> code = ShortcutCode::fromKeySequence(data.value<QKeySequence>());
        return code ? SettingValue::fromInteger(*code) : SettingValue();
    }
    case QMetaType::QDateTime:
        return SettingValue::fromFloat(toDays(data.toDateTime()));
    case QMetaType::QDate:
        return SettingValue::fromFloat(toDays(QDateTime(data.toDate(), QTime(0, 0))));
    case QMetaType::QTime:
        return SettingValue::fromFloat(data.toTime().msecsSinceStartOfDay() / 86400000.0);
    case QMetaType::QVariant:
        return SettingValue::variant(data.toString());
    default:
        break;
    }
    if (isObjectPointer(property)) {
        const QObject *target = data.value<QObject *>();
        return target ? SettingValue::string(target->objectName()) : SettingValue();
    }
    return {};
}

void writeProperty(QObject *object, const QMetaProperty &property, const SettingValue &value, QWidget *window)
{
    if (!property.isWritable())
        return;
    const auto assign = [&](const QVariant &data) { property.write(object, data); };
    if (property.isEnumType()) {
        const QMetaEnum meta = property.enumerator();
        if (!meta.isFlag()) {
            if (const std::optional<int> member = enumValue(meta, textOf(value)))
                assign(*member);
            return;
        }
        if (value.kind != ValueKind::String)
            return;
        int bits = 0;
        for (const QString &name : value.text.split(u','))
            bits |= enumValue(meta, name.trimmed()).value_or(0);
        assign(bits);
        return;
    }
    const int type = property.metaType().id();
    switch (type) {
    case QMetaType::Bool: {
        const QString text = textOf(value);
        if (sameAscii(text, u"True"))
            assign(true);
        else if (sameAscii(text, u"False"))
            assign(false);
        return;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QChar: {
        const std::optional<double> number = numberOf(value);
        const std::optional<qint32> integer = number ? truncated(*number) : std::nullopt;
        if (integer)
            assign(type == QMetaType::QChar ? QVariant(QChar(char16_t(*integer))) : QVariant(*integer));
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        if (const std::optional<double> number = numberOf(value); number && std::isfinite(*number))
            assign(*number);
        return;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        assign(textOf(value));
        return;
    case QMetaType::QStringList: {
        if (value.kind == ValueKind::StringList) {
            assign(value.list);
            return;
        }
        const QString text = textOf(value);
        QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
        if (text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r'))
            lines.removeLast();
        assign(lines);
        return;
    }
    case QMetaType::QColor:
        if (const std::optional<QColor> color = colorFor(object, value))
            assign(*color);
        return;
    case QMetaType::QKeySequence: {
        const std::optional<quint32> code = codeOf(value);
        if (const std::optional<QKeySequence> keys = code ? ShortcutCode::toKeySequence(*code) : std::nullopt)
            assign(*keys);
        return;
    }
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime: {
        const std::optional<double> days = value.kind == ValueKind::DateTime ? value.number : numberOf(value);
        const QDateTime moment = days ? fromDays(*days) : QDateTime();
        if (!moment.isValid())
            return;
        if (type == QMetaType::QDateTime)
            assign(moment);
        else
            assign(type == QMetaType::QDate ? QVariant(moment.date()) : QVariant(moment.time()));
        return;
    }
    case QMetaType::QVariant:
        assign(variantOf(value));
        return;
    default:
        break;
    }
    if (isObjectPointer(property) && window) {
        QObject *target = findComponent(window, textOf(value));
        const QMetaObject *wanted = property.metaType().metaObject();
        if (target && (!wanted || target->metaObject()->inherits(wanted)))
            assign(QVariant(property.metaType(), &target));
    }
}

} // namespace

PropertyBinding PropertyBinding::resolve(QWidget *window, const QString &path)
{
    PropertyBinding binding;
    if (!window || path.isEmpty())
        return binding;
    QStringList parts = path.split(u'.');
    if (parts.size() > 1 && parts.first() == window->objectName())
        parts.removeFirst();
    binding.m_window = window;
    QObject *current = window;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const bool last = i + 1 == parts.size();
        if (last) {
            if (const PropertyAlias *alias = findAlias(current, part)) {
                binding.m_object = current;
                binding.m_alias = alias;
                if (alias->qtProperty)
                    binding.m_property = findProperty(current, QLatin1String(alias->qtProperty));
                return binding;
            }
        }
        if (const QMetaProperty property = findProperty(current, part); property.isValid()) {
            if (!last && isObjectPointer(property)) {
                current = property.read(current).value<QObject *>();
                if (!current)
                    return {};
                continue;
            }
            binding.m_object = current;
            binding.m_property = property;
            return binding;
        }
        current = findComponent(window, part);
        if (!current)
            return {};
    }
    // The path named a component but no property of it.
    return {};
}

SettingValue PropertyBinding::read() const
{
    if (!isValid())
        return {};
    QObject *object = m_object.data();
    if (!m_alias)
        return readProperty(object, m_property);
    switch (m_alias->adapter) {
    case Adapter::QtProperty:
        return m_property.isValid() ? readProperty(object, m_property) : SettingValue();
    case Adapter::Shown: {
        const auto *widget = static_cast<const QWidget *>(object);
        return SettingValue::string(widget->isHidden() ? QStringLiteral("False") : QStringLiteral("True"));
    }
    case Adapter::PaletteColor: {
        const auto *widget = static_cast<const QWidget *>(object);
        return describeColor(object, widget->palette().color(QPalette::Active, m_alias->role), m_alias->systemColor);
    }
    case Adapter::ColorProperty:
        return m_property.isValid()
                   ? describeColor(object, m_property.read(object).value<QColor>(), m_alias->systemColor)
                   : SettingValue();
    case Adapter::FloatValue:
        return m_property.isValid() ? SettingValue::fromFloat(m_property.read(object).toDouble()) : SettingValue();
    }
    return {};
}

void PropertyBinding::write(const SettingValue &value) const
{
    if (!isValid())
        return;
    QObject *object = m_object.data();
    if (!m_alias) {
        writeProperty(object, m_property, value, m_window);
        return;
    }
    switch (m_alias->adapter) {
    case Adapter::QtProperty:
        if (m_property.isValid())
            writeProperty(object, m_property, value, m_window);
        return;
    case Adapter::Shown: {
        const QString text = textOf(value);
        if (sameAscii(text, u"True") || sameAscii(text, u"False"))
            static_cast<QWidget *>(object)->setVisible(sameAscii(text, u"True"));
        return;
    }
    case Adapter::PaletteColor: {
        const std::optional<QColor> color = colorFor(object, value);
        if (!color)
            return;
        auto *widget = static_cast<QWidget *>(object);
        QPalette palette = widget->palette();
        palette.setColor(m_alias->role, *color);
        widget->setPalette(palette);
        // A bar paints its background only when asked to.
        if (m_alias->role == QPalette::Window)
            widget->setAutoFillBackground(true);
        return;
    }
    case Adapter::ColorProperty:
        if (const std::optional<QColor> color = colorFor(object, value); color && m_property.isValid())
            m_property.write(object, *color);
        return;
    case Adapter::FloatValue: {
        const std::optional<double> number = numberOf(value);
        if (!number || !std::isfinite(*number) || !m_property.isValid())
            return;
        const double bounded =
            std::clamp(*number, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
        m_property.write(object, int(std::lround(bounded)));
        return;
    }
    }
}

} // namespace kora
