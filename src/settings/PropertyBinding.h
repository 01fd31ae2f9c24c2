#pragma once

#include "settings/SettingValue.h"

#include <QMetaProperty>
#include <QPointer>
#include <QString>
#include <QWidget>

class QObject;

namespace kora {

struct PropertyAlias;

// A binding path such as "tbFormat.Visible" or "mKonec.ShortCut" resolved in a window at run
// time through Qt's meta-object system. Names match without regard to ASCII case; a part that is
// no property of the current object names a component of the window (found by object name), so
// "tbFormat.Visible" is the property Visible of the window's component tbFormat. The names that
// differ from Qt's, or need a conversion, are served by one alias table (see the source).
//
// Values convert by the property's type: Booleans and enumerations as member names ("True"),
// integers as integers, floats as floats, texts as texts, flags as their members' names joined
// by ",", string lists as lists, colours as colour references (ColorRef), key sequences as
// shortcut codes (ShortcutCode), date-times as days, object references as the object's name.
class PropertyBinding
{
public:
    // An empty path or one that does not lead to a property gives a binding that is not valid.
    static PropertyBinding resolve(QWidget *window, const QString &path);

    bool isValid() const { return m_object && (m_alias || m_property.isValid()); }

    // The property's value; empty when the binding is not valid or the value has no form here
    // (a key sequence of several chords, a null object reference).
    SettingValue read() const;

    // Assigns `value` as an ordinary assignment would, so the control reports its change. A value
    // that does not fit the property (a text that is no number for an integer, a name that is no
    // member of an enumeration, a colour or shortcut code out of range) leaves it unchanged.
    void write(const SettingValue &value) const;

private:
    QPointer<QWidget> m_window;
    QPointer<QObject> m_object;
    QMetaProperty m_property;
    const PropertyAlias *m_alias = nullptr;
};

} // namespace kora
