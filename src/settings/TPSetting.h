#pragma once

#include "settings/PropertyBinding.h"
#include "settings/SettingValue.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <stdexcept>

namespace kora {

// Misuse of a setting's accessors.
class EPSettingException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One persisted value of a settings component: where it is stored (Name, or the path of
// BoundProperty), the property it is bound to, its current value and the value the property had
// when the window was built (its design value).
class TPSetting : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(QString BoundProperty READ BoundProperty WRITE setBoundProperty)
    Q_PROPERTY(QString RelAppSetting READ RelAppSetting WRITE setRelAppSetting)
    Q_PROPERTY(bool Encrypted READ Encrypted WRITE setEncrypted)
    Q_PROPERTY(QString UniqueName READ UniqueName)

public:
    // `window` is where BoundProperty resolves; application settings have none.
    explicit TPSetting(QWidget *window = nullptr, QObject *parent = nullptr);

    QString Name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString BoundProperty() const { return m_boundProperty; }
    void setBoundProperty(const QString &path) { m_boundProperty = path; }
    QString RelAppSetting() const { return m_relAppSetting; }
    void setRelAppSetting(const QString &name) { m_relAppSetting = name; }
    bool Encrypted() const { return m_encrypted; }
    void setEncrypted(bool encrypted) { m_encrypted = encrypted; }
    // BoundProperty followed by Name, every character but an ASCII letter or digit made "_".
    QString UniqueName() const;

    bool isBound() const { return m_window && !m_boundProperty.isEmpty(); }
    // The current value as last read or assigned.
    const SettingValue &value() const { return m_value; }
    const SettingValue &designValue() const { return m_design; }

    // The bound property's value becomes the current value (empty when it does not resolve).
    void readBoundProperty();
    // ... and also the design value.
    void takeDesignSnapshot();
    // Stores `value` and writes it to the bound property at once.
    void assign(const SettingValue &value);

    // Getters re-read the bound property first. They raise EPSettingException for kinds they
    // cannot convert (see the messages in the source).
    bool AsBoolean();
    qint32 AsInteger();
    double AsFloat();
    QString AsString();

    // Setters raise EPSettingException while the value is a collection or defined property.
    void setAsBoolean(bool value);
    void setAsInteger(qint32 value);
    void setAsFloat(double value);
    void setAsString(const QString &value);
    void setAsDateTime(const QDateTime &value);
    void setAsStrings(const QStringList &value);
    // Stored as its text; a list (variant array) is refused.
    void setAsVariant(const QVariant &value);

private:
    void refresh();
    void set(const SettingValue &value);

    QPointer<QWidget> m_window;
    QString m_name;
    QString m_boundProperty;
    QString m_relAppSetting;
    bool m_encrypted = false;
    SettingValue m_value;
    SettingValue m_design;
};

} // namespace kora
