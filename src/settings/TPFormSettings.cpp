#include "settings/TPFormSettings.h"

#include "settings/AutoRestart.h"
#include "settings/TPAppSettings.h"
#include "settings/WindowPlacement.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

#include <cmath>

namespace kora {

namespace {

QWidget *formOf(QObject *owner)
{
    auto *window = qobject_cast<QWidget *>(owner);
    if (!window || !window->isWindow())
        throw EPFormSettingsException("Parent must be a TCustomForm descendent");
    return window;
}

const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kMainForm = QStringLiteral("MainForm");
const QString kState = QStringLiteral("State");
const QString kScreenRes = QStringLiteral("ScreenRes");

} // namespace

TPFormSettings::TPFormSettings(QObject *owner)
    : TPSettings(formOf(owner))
    , m_window(static_cast<QWidget *>(owner))
{
    const Qt::WindowFlags flags = m_window->windowFlags();
    if (flags & Qt::FramelessWindowHint) {
        m_formSaveOpt = {};
        m_mruLength = 0;
    } else if (m_window->minimumSize() == m_window->maximumSize() || (flags & Qt::WindowType_Mask) == Qt::Tool) {
        m_formSaveOpt = pfsLeft | pfsTop;
        m_mruLength = 0;
    } else if (!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))) {
        m_formSaveOpt &= ~TPFormSaveOpts(pfsState);
    }
    m_window->installEventFilter(this);
    // Windows that are never hidden (dialogs never shown) are written when the program ends.
    if (QCoreApplication *application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &TPFormSettings::saveOnce);
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, &TPFormSettings::commitData);
}

TPFormSettings::~TPFormSettings()
{
    if (m_appSettings)
        m_appSettings->detach(this);
}

TPAppSettings *TPFormSettings::AppSettingsCtrl() const
{
    return m_appSettings;
}

void TPFormSettings::setAppSettingsCtrl(TPAppSettings *appSettings)
{
    if (m_appSettings)
        m_appSettings->detach(this);
    m_appSettings = appSettings;
    if (appSettings)
        appSettings->attach(this);
}

TPSetting *TPFormSettings::addSetting(const QString &name, const QString &boundProperty, const QString &relAppSetting,
                                      bool encrypted)
{
    for (const TPSetting *setting : std::as_const(m_settings)) {
        if (setting->Name() == name && setting->BoundProperty() == boundProperty &&
            setting->RelAppSetting() == relAppSetting && setting->Encrypted() == encrypted) {
            return nullptr;
        }
    }
    auto *setting = new TPSetting(m_window, this);
    setting->setName(name);
    setting->setBoundProperty(boundProperty);
    setting->setRelAppSetting(relAppSetting);
    setting->setEncrypted(encrypted);
    m_settings.append(setting);
    return setting;
}

QString TPFormSettings::formKeyPath() const
{
    QString name = m_window->objectName();
    if (OnSetFormKeyName)
        OnSetFormKeyName(name);
    return keyPrefix() + name;
}

bool TPFormSettings::isMainForm() const
{
    return !m_window->parentWidget() && m_window->inherits("QMainWindow");
}

void TPFormSettings::Loaded()
{
    if (m_loaded)
        return;
    for (TPSetting *setting : std::as_const(m_settings))
        setting->takeDesignSnapshot();
    restore();
    m_loaded = true;
}

void TPFormSettings::save()
{
    if (OnPreSave)
        OnPreSave();
    if (m_saveLocation == pslRegistry) {
        bool go = true;
        if (OnAutoSave)
            OnAutoSave(go);
        if (go)
            saveToRegistry();
    } else if (m_saveLocation == pslUser && OnUserSave) {
        for (TPSetting *setting : std::as_const(m_settings)) {
            setting->readBoundProperty();
            OnUserSave(*setting);
        }
        if (m_placed) {
            const QList<TPSetting *> placement = placementSettings(true);
            for (TPSetting *value : placement)
                OnUserSave(*value);
            qDeleteAll(placement);
        }
    }
    if (OnPostSave)
        OnPostSave();
}

void TPFormSettings::restore()
{
    if (OnPreRestore)
        OnPreRestore();
    if (m_saveLocation == pslRegistry) {
        bool go = true;
        if (OnAutoRestore)
            OnAutoRestore(go);
        if (go)
            restoreFromRegistry();
    } else if (m_saveLocation == pslUser && OnUserRestore) {
        for (TPSetting *setting : std::as_const(m_settings))
            OnUserRestore(*setting);
        const QList<TPSetting *> placement = placementSettings(false);
        for (TPSetting *value : placement)
            OnUserRestore(*value);
        applyPlacementValues(placement);
        qDeleteAll(placement);
    }
    if (OnPostRestore)
        OnPostRestore();
}

void TPFormSettings::saveToRegistry()
{
    const QString windowKey = formKeyPath();
    QList<RegistryValue> values;
    const auto add = [&](const TPSetting &setting) {
        const auto [keyPath, valueName] = placeOf(setting, windowKey);
        if (std::optional<RegistryValue> stored = storedForm(setting, keyPath, valueName))
            values.append(std::move(*stored));
    };
    for (TPSetting *setting : std::as_const(m_settings)) {
        if (!setting->RelAppSetting().isEmpty())
            continue;
        setting->readBoundProperty();
        const SettingValue &value = setting->value();
        const SettingValue &design = setting->designValue();
        if (SaveAll() || (value.kind == design.kind && !(value == design))) {
            add(*setting);
        } else {
            const auto [keyPath, valueName] = placeOf(*setting, windowKey);
            removeValue(keyPath, valueName);
        }
    }
    // A window that was never on screen has no place of its own to keep.
    if (m_placed) {
        const QList<TPSetting *> placement = placementSettings(true);
        for (const TPSetting *value : placement)
            add(*value);
        qDeleteAll(placement);
    }
    // One change of the file: the window's values land together.
    writeValues(values);
}

void TPFormSettings::restoreFromRegistry()
{
    const QString windowKey = formKeyPath();
    for (TPSetting *setting : std::as_const(m_settings)) {
        if (!setting->RelAppSetting().isEmpty())
            continue;
        const auto [keyPath, valueName] = placeOf(*setting, windowKey);
        if (const std::optional<SettingValue> value = loadValue(*setting, keyPath, valueName))
            setting->assign(*value);
    }
    const QList<TPSetting *> placement = placementSettings(false);
    for (TPSetting *value : placement) {
        if (const std::optional<SettingValue> stored = loadValue(*value, windowKey, value->Name()))
            value->assign(*stored);
    }
    applyPlacementValues(placement);
    qDeleteAll(placement);
}

void TPFormSettings::applyPlacementValues(const QList<TPSetting *> &values)
{
    // Hand-edited values of another type read as absent rather than raise.
    const auto integer = [&](int i) {
        const SettingValue &value = values.at(i)->value();
        if (value.kind == ValueKind::Integer)
            return value.integer;
        const std::optional<double> number = numberOf(value);
        return number && std::fabs(*number) < 2147483648.0 ? qint32(*number) : -1;
    };
    const SettingValue &mainForm = values.at(4)->value();
    WindowPlacement stored;
    stored.left = integer(0);
    stored.top = integer(1);
    stored.width = integer(2);
    stored.height = integer(3);
    stored.mainForm = mainForm.kind == ValueKind::Boolean ? mainForm.boolean
                                                          : textOf(mainForm).compare(u"True", Qt::CaseInsensitive) == 0;
    stored.state = integer(5);
    stored.screenRes = values.at(6)->value().kind == ValueKind::String ? values.at(6)->value().text : QString();
    // No window of the program is designed to be centred on the screen.
    applyPlacement(m_window, stored, false);
    m_placed = m_placed || stored.left != -1 || stored.top != -1 || stored.width != -1 || stored.height != -1;
}

QList<TPSetting *> TPFormSettings::placementSettings(bool fromWindow)
{
    const WindowPlacement now = fromWindow ? WindowPlacement::of(m_window, isMainForm()) : WindowPlacement();
    const auto make = [&](const QString &name, const SettingValue &value) {
        auto *setting = new TPSetting;
        setting->setName(name);
        setting->assign(value);
        return setting;
    };
    QList<TPSetting *> values;
    if (!fromWindow) {
        // Read in this order: the four numbers, MainForm, State, ScreenRes.
        for (const QString &name : {kLeft, kTop, kWidth, kHeight})
            values << make(name, SettingValue::fromInteger(-1));
        values << make(kMainForm, SettingValue::fromBoolean(false)) << make(kState, SettingValue::fromInteger(-1))
               << make(kScreenRes, SettingValue::string(QString()));
        return values;
    }
    if (m_formSaveOpt & pfsLeft)
        values << make(kLeft, SettingValue::fromInteger(now.left));
    if (m_formSaveOpt & pfsTop)
        values << make(kTop, SettingValue::fromInteger(now.top));
    if (m_formSaveOpt & pfsWidth)
        values << make(kWidth, SettingValue::fromInteger(now.width));
    if (m_formSaveOpt & pfsHeight)
        values << make(kHeight, SettingValue::fromInteger(now.height));
    if (m_formSaveOpt & pfsState) {
        values << make(kMainForm, SettingValue::fromBoolean(now.mainForm))
               << make(kState, SettingValue::fromInteger(now.state));
    }
    if (m_formSaveOpt)
        values << make(kScreenRes, SettingValue::string(now.screenRes));
    return values;
}

void TPFormSettings::refreshRelated()
{
    if (!m_appSettings)
        return;
    for (TPSetting *setting : std::as_const(m_settings)) {
        if (setting->RelAppSetting().isEmpty())
            continue;
        if (const TPSetting *source = m_appSettings->findSetting(setting->RelAppSetting()))
            setting->assign(source->value());
    }
}

void TPFormSettings::saveOnce()
{
    if (!m_loaded || m_saved)
        return;
    save();
    m_saved = true;
    m_savedMinimizedApp = isMainForm() && m_window->isMinimized();
}

bool TPFormSettings::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        m_placed = true;
        if (!event->spontaneous())
            m_saved = false;
        break;
    case QEvent::WindowStateChange:
        if (m_window->isMinimized() && !m_savedMinimizedApp)
            m_saved = false;
        break;
    case QEvent::Close:
        // Only a close from the window system comes before the close question; the program's
        // own close() saves when the window is hidden.
        if (event->spontaneous())
            saveOnce();
        break;
    case QEvent::Hide:
        // Minimising hides the window from the window system; that is no hiding by the program.
        if (!event->spontaneous())
            saveOnce();
        break;
    default:
        break;
    }
    return false;
}

void TPFormSettings::writeRestartEntry()
{
    AutoRestart::writeEntry(m_registry.store(), AutoRestart::valueName(SoftwareName(), CompanyName()),
                            QCoreApplication::applicationFilePath());
}

void TPFormSettings::commitData(QSessionManager &manager)
{
    if (!m_autoRestartApp)
        return;
    writeRestartEntry();
    // The autostart entry restarts the program; a restart by the session as well would start it twice.
    manager.setRestartHint(QSessionManager::RestartNever);
}

} // namespace kora
