#pragma once

#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "app/StartupDialogs.h"
#include "app/TfUvitani.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolBar;
class QToolButton;

namespace kora {

class Prompter;
class RichEdit;
class DroppedContentBar;
class TanlRuler;
class TColorBtn;
class UserColorStore;
class TipsOfTheDay;

// The main window: menus, toolbars, the editing control, the status bar and the document's
// file life cycle.
class TForm1 : public QMainWindow, public WelcomeActions
{
    Q_OBJECT
public:
    static constexpr int kRecentMax = 7;
    static inline const QString kUntitledCaption = QStringLiteral("KORA Editor - Bez Názvu");
    static inline const QString kMainFilter =
        QStringLiteral("KORA dokumenty ( *.kora )|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                       "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");
    static inline const QString kShortFilter =
        QStringLiteral("KORA dokumenty|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                       "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");

    TForm1(Prompter &prompter, Shell &shell, QWidget *parent = nullptr);
    ~TForm1() override;

    // The creation handler's steps that need the command line; then the window may be shown.
    void FormCreate(const QStringList &arguments);

    RichEdit *editor() const { return m_editor; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QToolButton *toolButton(const QString &name) const;
    QLabel *statusPanel(int index) const { return m_panels.at(index); }
    QStringList recentFiles() const { return m_recent; }
    QString saveFileName() const { return m_saveFileName; }
    QString openFileName() const { return m_openFileName; }
    QString recentListPath() const { return m_recentPath; }
    QTimer *refreshTimer() const { return m_refreshTimer; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    TipsOfTheDay *tips() const { return m_tips; }
    QString mainDictionaryPath() const { return m_mainDictionaryPath; }
    QString userDictionaryPath() const { return m_userDictionaryPath; }
    DroppedContentBar *droppedContentBar() const { return m_droppedBar; }

    // Where the colour buttons keep their user colours; without a store they are all white.
    void setUserColorStore(UserColorStore *store);
    TanlRuler *ruler() const { return m_ruler; }
    TColorBtn *colorButton(const QString &name) const;

    // Creates the program's dialogs, in their order, after the creation handler.
    void createDialogs();
    const StartupDialogs &dialogs() const { return m_dialogs; }

    // Loads a document as the command line and the welcome dialog do.
    bool openDocument(const QString &path, QString *error) override;
    void saveDocument() override { mUlozitClick(); }

public slots:
    // Document files.
    void NovyExecute();
    void mOtevritClick();
    void JenProCteniClick();
    void mCteniClick();
    void mUlozitClick();
    void mUlozitJakoClick();
    void mOznacenyTextClick();
    void mRecentFileClick();
    void tUkladaniTimer();
    // Window.
    void mikonaClick();
    void pmpokracovatClick();
    void mKonecClick();
    void mMaxiamlizovaneClick();
    void Mormln1Click();
    void Maximalizovan1Click();
    void Nov1Click();
    void mNovinkyClick();
    // Status and bars.
    void Timer1Timer();
    void RichEdit1Change();
    void ToolBarStandartClick();
    void mToolBarFormatClick();
    void mPravitkoClick();
    void mStatusBarClick();
    void ZobrazitSkrt1Click();
    void ZobrazitSkrt2Click();
    void ZobraziSkrt1Click();
    void Skrt1Click();
    // Standard edit commands and undo.
    void mKopirovatClick();
    void mVlozitClick();
    void mVyjmoutClick();
    void mVybratVseClick();
    void mZpetClick();
    void VpredExecute();
    // Formatting.
    void mpismoClick();
    void Barva1Click();
    void cbpismoChange();
    void cbVelikostChange();
    void mTucneClick();
    void mKurzivaClick();
    void mPodtrzeneClick();
    void mPreskrtnuteClick();
    void tbTucneClick();
    void tbKurzivaClick();
    void tbPodtrzeneClick();
    void tbPreskrtnuteClick();
    void mVlevoClick();
    void mNaStredClick();
    void mVpravoClick();
    void tbTeckyClick();
    void tbHorniIndexClick();
    void tbDolniIndexClick();
    void mZvetcitOdsazeniClick();
    void mZmencitOdsazeniClick();
    void mVelkaPismenaClick();
    void mMalaPismenaClick();
    void mLamaniClick();
    void RichEdit1URLClick(const QString &url);
    void cbBarvaClick();
    void ColorBtn1Click();
    void RulerIndentChange(kora::TanlRuler *sender, int indentId);
    void FormActivate();

signals:
    // The document was loaded by Open (the welcome dialog keeps these).
    void documentOpened(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildStatusBar();
    void buildCentralArea();
    void buildPopups();
    void wireCommands();
    void resolveSharedShortcuts();
    QAction *addToolAction(QToolBar *bar, const QString &name, const QString &icon, const QString &tooltip,
                           const QString &statusText, bool checkable = false);

    // Document steps.
    enum class SaveErrors { Standard, AsOpenFailure };
    bool maySaveChanges(const QString &question, const std::function<bool()> &saveFirst);
    std::optional<QString> chooseSaveName(const QString &dialogName, const QString &filter);
    bool load(const QString &path);
    bool save(SaveErrors errors = SaveErrors::Standard);
    bool saveAs();
    bool saveUnderChosenName();
    bool saveTo(const QString &path, SaveErrors errors = SaveErrors::Standard);
    void showOpenFailure();
    void addRecent(const QString &path);
    void rebuildRecentMenu();
    void writeRecentList();
    void setCaption(const QString &caption);
    void clearDocument();
    void afterLoad(const QString &path);
    void setReadOnlyCommandsEnabled(bool enabled);
    void updateEditCommands();
    void setBarVisible(QWidget *bar, QAction *item, bool visible);
    void invertCheckUnlessClicked(QAction *item);
    void showHint(const QString &hint);
    QWidget *focusedTextControl() const;

    Prompter &m_prompter;
    Shell &m_shell;
    RichEdit *m_editor = nullptr;
    TanlRuler *m_ruler = nullptr;
    bool m_rulerPlaced = false;
    DroppedContentBar *m_droppedBar = nullptr;
    QToolBar *m_standardBar = nullptr;
    QToolBar *m_formatBar = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editorPopup = nullptr;
    QAction *m_recentAnchor = nullptr;
    QList<QAction *> m_recentActions;
    QList<QLabel *> m_panels;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QWidget *> m_widgets;
    QTimer *m_refreshTimer = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    StartupDialogs m_dialogs;
    TipsOfTheDay *m_tips = nullptr;
    QString m_mainDictionaryPath;
    QString m_userDictionaryPath;
    bool m_readOnlyMode = false;

    QString m_saveFileName;
    QString m_openFileName;
    QStringList m_recent;
    QString m_recentPath;
    int m_saveDialogFilter = 0;
    int m_openDialogFilter = 0;
    int m_readOnlyDialogFilter = 0;
    int m_selectionDialogFilter = 0;
    bool m_recentWriteFailed = false;
    FontChoice m_fontDialogChoice{QFont(QStringLiteral("MS Sans Serif"), 8), QColor(Qt::black)};
    bool m_fontDialogShown = false;
    QColor m_colorDialogColor = Qt::black;
};

} // namespace kora
