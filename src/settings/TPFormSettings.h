#pragma once

#include "settings/TPSettings.h"

#include <QPointer>

#include <algorithm>

#include <stdexcept>

class QAction;
class QSessionManager;
class QWidget;

namespace kora {

class TPAppSettings;

// A form-settings component made for an owner that is not a window.
class EPFormSettingsException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The settings component of one window. Once the window is built, Loaded() restores every bound
// property and the window's placement from the registry key
// "Software\<CompanyName>\<SoftwareName>\[<SoftwareVersion>\]<window's object name>"; whenever
// the window is closed from the window system (before the close is confirmed or refused), hidden
// by the program, or the program quits, the values are written back, at most once until the
// window is shown again. With AutoRestartApp the end of the desktop session writes the restart
// entry (AutoRestart).
class TPFormSettings : public TPSettings
{
    Q_OBJECT
    Q_MOC_INCLUDE(<QAction>)
    Q_MOC_INCLUDE("settings/TPAppSettings.h")
    Q_PROPERTY(TPFormSaveOpts FormSaveOpt READ FormSaveOpt WRITE setFormSaveOpt)
    Q_PROPERTY(TPSaveLocationType SaveLocation READ SaveLocation WRITE setSaveLocation)
    Q_PROPERTY(QAction *MRUMenuItem READ MRUMenuItem WRITE setMRUMenuItem)
    Q_PROPERTY(int MRULength READ MRULength WRITE setMRULength)
    Q_PROPERTY(TPMRUDisplayType MRUDisplay READ MRUDisplay WRITE setMRUDisplay)
    Q_PROPERTY(int MRUMaxItemWidth READ MRUMaxItemWidth WRITE setMRUMaxItemWidth)
    Q_PROPERTY(TPMRUPlacement MRUPlacement READ MRUPlacement WRITE setMRUPlacement)
    Q_PROPERTY(kora::TPAppSettings *AppSettingsCtrl READ AppSettingsCtrl WRITE setAppSettingsCtrl)
    Q_PROPERTY(bool AddToRecentDocs READ AddToRecentDocs WRITE setAddToRecentDocs)
    Q_PROPERTY(bool AutoRestartApp READ AutoRestartApp WRITE setAutoRestartApp)
    Q_PROPERTY(bool MRUValidate READ MRUValidate WRITE setMRUValidate)
    Q_PROPERTY(int MRUCount READ MRUCount)

public:
    enum TPFormSaveOpt { pfsLeft = 0x1, pfsTop = 0x2, pfsWidth = 0x4, pfsHeight = 0x8, pfsState = 0x10 };
    Q_DECLARE_FLAGS(TPFormSaveOpts, TPFormSaveOpt)
    Q_FLAG(TPFormSaveOpts)
    enum TPSaveLocationType { pslRegistry, pslStream, pslStorage, pslUser };
    Q_ENUM(TPSaveLocationType)
    enum TPMRUDisplayType { pmdFileOnly, pmdFullPath, pmdAbbPath };
    Q_ENUM(TPMRUDisplayType)
    enum TPMRUPlacement { pmpDescending, pmpBefore };
    Q_ENUM(TPMRUPlacement)

    // `owner` must be a window; the component becomes its child. FormSaveOpt and MRULength
    // start from the window's kind: no frame saves no placement; a fixed size or a tool window
    // saves left and top; any other window all five, without the state when it has neither a
    // minimise nor a maximise button.
    explicit TPFormSettings(QObject *owner);
    ~TPFormSettings() override;

    TPFormSaveOpts FormSaveOpt() const { return m_formSaveOpt; }
    void setFormSaveOpt(TPFormSaveOpts options) { m_formSaveOpt = options; }
    TPSaveLocationType SaveLocation() const { return m_saveLocation; }
    void setSaveLocation(TPSaveLocationType location) { m_saveLocation = location; }
    // The recent-file list of these components is not used by the program; its properties only
    // keep their values.
    QAction *MRUMenuItem() const { return m_mruMenuItem; }
    void setMRUMenuItem(QAction *item) { m_mruMenuItem = item; }
    int MRULength() const { return m_mruLength; }
    void setMRULength(int length) { m_mruLength = std::clamp(length, 0, 9); }
    TPMRUDisplayType MRUDisplay() const { return m_mruDisplay; }
    void setMRUDisplay(TPMRUDisplayType display) { m_mruDisplay = display; }
    int MRUMaxItemWidth() const { return m_mruMaxItemWidth; }
    void setMRUMaxItemWidth(int width) { m_mruMaxItemWidth = std::clamp(width, 100, 300); }
    TPMRUPlacement MRUPlacement() const { return m_mruPlacement; }
    void setMRUPlacement(TPMRUPlacement placement) { m_mruPlacement = placement; }
    bool AddToRecentDocs() const { return m_addToRecentDocs; }
    void setAddToRecentDocs(bool add) { m_addToRecentDocs = add; }
    bool MRUValidate() const { return m_mruValidate; }
    void setMRUValidate(bool validate) { m_mruValidate = validate; }
    int MRUCount() const { return 0; }
    bool AutoRestartApp() const { return m_autoRestartApp; }
    void setAutoRestartApp(bool restart) { m_autoRestartApp = restart; }

    // Takes over the application component's names and follows their later changes.
    TPAppSettings *AppSettingsCtrl() const;
    void setAppSettingsCtrl(TPAppSettings *appSettings);

    // May replace the window-name part of the key.
    std::function<void(QString &)> OnSetFormKeyName;

    QWidget *window() const { return m_window; }
    // Adds a binding; one equal in all four fields to one already there is dropped (nullptr).
    TPSetting *addSetting(const QString &name, const QString &boundProperty, const QString &relAppSetting = {},
                          bool encrypted = false);

    // The end of building the window: takes the design values and restores, once.
    void Loaded();
    bool isLoaded() const { return m_loaded; }
    bool isSaved() const { return m_saved; }

    void save();
    void restore();
    // The window's registry key below the root.
    QString formKeyPath() const;

    // Settings bound to an application setting take its value.
    void refreshRelated();

    // The RunOnce value and autostart entry that start the program again (AutoRestart).
    void writeRestartEntry();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void saveOnce();
    void saveToRegistry();
    void restoreFromRegistry();
    void commitData(QSessionManager &manager);
    bool isMainForm() const;
    // The placement values, as settings, from the window (saving) or with their defaults.
    QList<TPSetting *> placementSettings(bool fromWindow);
    // Left, Top, Width, Height, MainForm, State, ScreenRes as placementSettings(false) orders them.
    void applyPlacementValues(const QList<TPSetting *> &values);

    QWidget *m_window;
    TPFormSaveOpts m_formSaveOpt = TPFormSaveOpts(pfsLeft | pfsTop | pfsWidth | pfsHeight | pfsState);
    TPSaveLocationType m_saveLocation = pslRegistry;
    QPointer<QAction> m_mruMenuItem;
    int m_mruLength = 4;
    TPMRUDisplayType m_mruDisplay = pmdFullPath;
    int m_mruMaxItemWidth = 200;
    TPMRUPlacement m_mruPlacement = pmpDescending;
    QPointer<TPAppSettings> m_appSettings;
    bool m_addToRecentDocs = true;
    bool m_autoRestartApp = false;
    bool m_mruValidate = true;
    bool m_loaded = false;
    bool m_saved = false;
    bool m_savedMinimizedApp = false;
    bool m_placed = false; // shown, or given a stored place
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPFormSettings::TPFormSaveOpts)

} // namespace kora
