#pragma once

#include "app/DocumentController.h"
#include "app/EditorDocument.h"
#include "app/MainWindowUi.h"
#include "app/StartupDialogs.h"
#include "app/TfUvitani.h"
#include "platform/Printer.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QTimer;

namespace kora {

class CommandState;
class OutputCommands;
class EditCommands;
class ExchangeController;
class FormattingController;
class InsertionController;
class SearchController;
class Prompter;
class Shell;
class TipsOfTheDay;
class UserColorStore;

// The main window: it owns the editor, the bars and every subsystem's commands and wires them.
// Its slots are the window's own handlers; the subsystems carry the rest.
class TForm1 : public QMainWindow, public WelcomeActions
{
    Q_OBJECT
public:
    TForm1(Prompter &prompter, Shell &shell, QWidget *parent = nullptr);
    ~TForm1() override;

    // The creation handler's steps that need the command line; then the window may be shown.
    void FormCreate(const QStringList &arguments);
    // Creates the program's dialogs, in their order, after the creation handler.
    void createDialogs();

    RichEdit *editor() const { return m_ui.RichEdit1; }
    const MainWindowUi &ui() const { return m_ui; }
    DocumentController &documents() { return *m_documents; }
    const StartupDialogs &dialogs() const { return m_dialogs; }
    // A command by its component name (menu item, toolbar button, pop-up item).
    QAction *action(const QString &name) const;
    QLabel *statusPanel(int index) const { return m_ui.panels.at(index); }
    QTimer *refreshTimer() const { return m_refreshTimer; }
    TipsOfTheDay *tips() const { return m_tips; }
    QString mainDictionaryPath() const { return m_mainDictionaryPath; }
    QString userDictionaryPath() const { return m_userDictionaryPath; }

    // Where the colour buttons keep their user colours; without a store they are all white.
    void setUserColorStore(UserColorStore *store);

    // The welcome dialog's commands.
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
    void FormActivate();
    // Status and bars.
    void Timer1Timer();
    void RichEdit1Change();
    void RichEdit1URLClick(const QString &url);
    void ToolBarStandartClick();
    void mToolBarFormatClick();
    void mPravitkoClick();
    void mStatusBarClick();
    void ZobrazitSkrt1Click();
    void ZobrazitSkrt2Click();
    void ZobraziSkrt1Click();
    void Skrt1Click();
    void pmOpenNetClick();
    void pmTiskClick();
    void pmPravopisClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireWindow();
    void wireDocuments();
    void showRecentFiles(const QStringList &paths);
    void showHint(const QString &hint);

    Prompter &m_prompter;
    Shell &m_shell;
    MainWindowUi m_ui;
    std::unique_ptr<EditorDocument> m_editorDocument;
    DocumentController *m_documents = nullptr;
    EditCommands *m_edits = nullptr;
    CommandState *m_state = nullptr;
    FormattingController *m_formatting = nullptr;
    OutputCommands *m_output = nullptr;
    ExchangeController *m_exchange = nullptr;
    SystemPrinter m_printer;
    SearchController *m_search = nullptr;
    InsertionController *m_insertion = nullptr;
    UserColorStore *m_userColors = nullptr;
    QTimer *m_refreshTimer = nullptr;
    StartupDialogs m_dialogs;
    TipsOfTheDay *m_tips = nullptr;
    QString m_mainDictionaryPath;
    QString m_userDictionaryPath;
    bool m_rulerPlaced = false;
};

} // namespace kora
