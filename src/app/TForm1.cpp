#include "app/TForm1.h"

#include "app/CommandState.h"
#include "app/DroppedContentBar.h"
#include "app/DroppedContentText.h"
#include "app/Tfnovinky.h"
#include "app/TipsOfTheDay.h"
#include "editing/EditCommands.h"
#include "editing/FormattingController.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/TanlRuler.h"
#include "editing/insertion/InsertionController.h"
#include "exchange/OutputCommands.h"
#include "editing/search/SearchController.h"
#include "exchange/ExchangeController.h"
#include "platform/AppDirs.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "settings/WindowSettings.h"
#include "text/TextStatistics.h"
#include "tools/ToolCommands.h"
#include "tools/spell/SpellCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>

namespace kora {

namespace {

constexpr int kRefreshMilliseconds = 500;

void setBarVisible(QWidget *bar, QAction *item, bool visible)
{
    bar->setVisible(visible);
    item->setChecked(visible);
}

} // namespace

TForm1::TForm1(Prompter &prompter, Shell &shell, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_shell(shell)
{
    m_ui.setupUi(this);
    setWindowTitle(DocumentController::kUntitledCaption);
    RichEdit &editor = *m_ui.RichEdit1;
    const MainActions &a = m_ui.actions;

    m_editorDocument = std::make_unique<EditorDocument>(editor);
    m_documents = new DocumentController(*m_editorDocument, prompter, this);
    m_edits = new EditCommands(editor, {a.mKopirovat, a.mVlozit, a.mVyjmout, a.mVybratVse, a.mZpet, a.mVpred}, this);
    m_state = new CommandState(a, editor, *m_edits, this);
    m_formatting = new FormattingController(
        editor, prompter, {m_ui.cbpismo, m_ui.cbVelikost, m_ui.cbBarva, m_ui.ColorBtn1, m_ui.Ruler},
        {a.mpismo, a.Barva1, a.mTucne, a.mKurziva, a.mPodtrzene, a.mPreskrtnute, a.tbTucne, a.tbKurziva,
         a.tbPodtrzene, a.tbPreskrtnute, a.mVlevo, a.tbVlevo, a.mNaStred, a.tbCenter, a.mVpravo, a.tbVpravo, a.tbTecky,
         a.tbHorniIndex, a.tbDolniIndex, a.mZvetcitOdsazeni, a.mZmencitOdsazeni, a.mVelkaPismena, a.mMalaPismena,
         a.mLamani},
        this);
    m_search = new SearchController(
        editor, prompter, this, {a.mNajit, a.mNahradit, a.Najtspecil1, a.mRadek, a.mZacatekTextu, a.mKonecTextu}, this);
    m_insertion = new InsertionController(
        editor, prompter, shell, this,
        {a.mObrazek, a.mObjekt, a.N14, a.N15, a.N16, a.N27, a.N18, a.N19, a.N20, a.N21, a.N22, a.N23, a.N26, a.N29,
         a.N30, a.N25, a.mSymboly, a.mCas, a.mDatum, a.mDatumCas, a.mDatumcasDialog, a.mHyperLink, a.Cel1, a.Text1,
         a.mCestaKSouboru, a.mVlozitSpecial},
        this);
    m_exchange = new ExchangeController(
        editor, prompter, shell, ExchangeController::Services::system(),
        {[this] { return m_documents->mayOpenOver(); },
         [this](const QString &path, QString *error) { return m_documents->openUntitled(path, error); }},
        {a.mOtevritInternet, a.Nejnovjverze1, a.DisketaA, a.mObsahTextu, a.PrilohaEmal, a.WWWKORAEditoru1,
         a.Kontaktovatpodporu1, a.OAplikaci1},
        this);

    m_tips = new TipsOfTheDay(prompter, this);
    m_tips->setObjectName(QStringLiteral("tipdne"));
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("Timer1"));
    m_refreshTimer->setInterval(kRefreshMilliseconds);
    connect(m_refreshTimer, &QTimer::timeout, this, &TForm1::Timer1Timer);

    wireWindow();
    wireDocuments();
    attachWindowSettings(*this, prompter);
}

TForm1::~TForm1()
{
    // The editor, the focus and the clipboard report changes while the widgets are torn down:
    // nothing that listens to them outlives this point.
    disconnect(m_ui.RichEdit1, nullptr, this, nullptr);
    delete m_state;
    delete m_edits;
}

void TForm1::wireWindow()
{
    const MainActions &a = m_ui.actions;
    const std::pair<QAction *, void (TForm1::*)()> commands[] = {
        {a.mNovy, &TForm1::NovyExecute},
        {a.mOtevrit, &TForm1::mOtevritClick},
        {a.JenProCteni, &TForm1::JenProCteniClick},
        {a.mCteni, &TForm1::mCteniClick},
        {a.mUlozit, &TForm1::mUlozitClick},
        {a.mUlozitJako, &TForm1::mUlozitJakoClick},
        {a.mOznacenyText, &TForm1::mOznacenyTextClick},
        {a.mikona, &TForm1::mikonaClick},
        {a.mKonec, &TForm1::mKonecClick},
        {a.Konec1, &TForm1::mKonecClick},
        {a.pmpokracovat, &TForm1::pmpokracovatClick},
        {a.mMaxiamlizovane, &TForm1::mMaxiamlizovaneClick},
        {a.Mormln1, &TForm1::Mormln1Click},
        {a.Maximalizovan1, &TForm1::Maximalizovan1Click},
        {a.Nov1, &TForm1::Nov1Click},
        {a.mNovinky, &TForm1::mNovinkyClick},
        {a.ToolBarStandart, &TForm1::ToolBarStandartClick},
        {a.mToolBarFormat, &TForm1::mToolBarFormatClick},
        {a.mPravitko, &TForm1::mPravitkoClick},
        {a.mStatusBar, &TForm1::mStatusBarClick},
        {a.ZobrazitSkrt1, &TForm1::ZobrazitSkrt1Click},
        {a.ZobrazitSkrt2, &TForm1::ZobrazitSkrt2Click},
        {a.ZobraziSkrt1, &TForm1::ZobraziSkrt1Click},
        {a.Skrt1, &TForm1::Skrt1Click},
        {a.pmOpenNet, &TForm1::pmOpenNetClick},
        {a.pmTisk, &TForm1::pmTiskClick},
        {a.pmPravopis, &TForm1::pmPravopisClick},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);

    connect(m_ui.RichEdit1, &RichEdit::changed, this, &TForm1::RichEdit1Change);
    connect(m_ui.RichEdit1, &RichEdit::urlClicked, this, &TForm1::RichEdit1URLClick);
    connect(m_ui.droppedBar, &DroppedContentBar::saveAsRequested, this, &TForm1::mUlozitJakoClick);
    connect(m_ui.droppedBar, &DroppedContentBar::readOnlyRequested, this, [a] {
        if (!a.mCteni->isChecked())
            a.mCteni->trigger();
    });
    for (QObject *watched : std::initializer_list<QObject *>{m_ui.RichEdit1, m_ui.Ruler, m_ui.StatusBar1})
        watched->installEventFilter(this);
    for (QLabel *panel : m_ui.panels)
        panel->installEventFilter(this);
}

void TForm1::wireDocuments()
{
    connect(m_documents, &DocumentController::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_documents, &DocumentController::recentFilesChanged, this, &TForm1::showRecentFiles);
    connect(m_documents, &DocumentController::documentReplaced, this, [this](const QString &path) {
        // What the file held that the editor cannot keep is told without a modal box.
        if (path.isEmpty())
            m_ui.droppedBar->hide();
        else
            m_ui.droppedBar->showFor(path, describeDropped(m_ui.RichEdit1->lastLoad().report));
    });
}

void TForm1::showRecentFiles(const QStringList &paths)
{
    for (QAction *item : m_ui.setRecentFiles(paths))
        connect(item, &QAction::triggered, this, &TForm1::mRecentFileClick);
}

QAction *TForm1::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void TForm1::setUserColorStore(UserColorStore *store)
{
    m_userColors = store;
    m_ui.cbBarva->setUserColorStore(store);
    m_ui.ColorBtn1->setUserColorStore(store);
    if (Tfhledat *findSpecial = m_dialogs.findSpecial())
        findSpecial->barva()->setUserColorStore(store);
}

void TForm1::FormCreate(const QStringList &arguments)
{
    m_mainDictionaryPath = AppDirs::shippedFilePath(QStringLiteral("slovník.dic"));
    m_userDictionaryPath = AppDirs::filePath(QStringLiteral("englishuser.dic"));
    auto *spelling = new spell::SpellCommands(
        *m_ui.RichEdit1, m_prompter, spell::SpellSettings::standard(m_mainDictionaryPath, m_userDictionaryPath), this,
        this);
    connect(m_ui.actions.mPravopis, &QAction::triggered, spelling, &spell::SpellCommands::mPravopisClick);
    m_documents->openCommandLineDocument(arguments);
    Timer1Timer();
    m_documents->loadRecentList(AppDirs::filePath(QStringLiteral("Recent.INI")));
    m_refreshTimer->start();
}

void TForm1::createDialogs()
{
    m_dialogs.create(this, m_prompter, *this, *m_ui.RichEdit1, [this](bool show) { m_tips->setShowAtStartup(show); });
    m_dialogs.findSpecial()->barva()->setUserColorStore(m_userColors);
    m_output = new OutputCommands(*m_ui.RichEdit1, m_prompter, m_printer, *m_dialogs.htmlScratch(), this);
    m_search->setDialogs(m_dialogs.findSpecial(), m_dialogs.goToLine());
    m_exchange->setDialogs(m_dialogs.openNet(), m_dialogs.about(), m_dialogs.floppy());
    m_insertion->setDialogs({m_dialogs.dateTime(), m_dialogs.hyperLink(), m_dialogs.fileText(), m_dialogs.filePath(),
                             m_dialogs.symbol(), m_dialogs.options()});
    const MainActions &a = m_ui.actions;
    const std::pair<QAction *, void (OutputCommands::*)()> output[] = {
        {a.jakoHTML1, &OutputCommands::jakoHTML1Click},
        {a.JakoPDF1, &OutputCommands::JakoPDF1Click},
        {a.mTisk, &OutputCommands::mTiskClick},
        {a.TiskJenozanentext1, &OutputCommands::TiskJenozanentext1Click},
        {a.mTiskarna, &OutputCommands::mTiskarnaClick},
        {a.tbTisk, &OutputCommands::tbTiskClick},
    };
    for (const auto &[action, handler] : output)
        connect(action, &QAction::triggered, m_output, handler);
    new ToolCommands(m_prompter, {m_dialogs.characterCount(), m_dialogs.clipboard(), m_dialogs.options()},
                     {a.mPocetZnaku, a.mObsahSchranky, a.mKalkulacka, a.mMoznosti}, this, this);
    connect(m_dialogs.options(), &Tnastaveni::autosaveDue, this, &TForm1::tUkladaniTimer);
    connect(m_documents, &DocumentController::documentOpened, m_dialogs.welcome(), &TfUvitani::appendDocument);
}

bool TForm1::openDocument(const QString &path, QString *error)
{
    return m_documents->openFromWelcome(path, error);
}

// ---------------------------------------------------------------------------------------------
// Document files

void TForm1::NovyExecute()
{
    m_documents->newDocument();
}

void TForm1::mOtevritClick()
{
    m_documents->open();
}

void TForm1::JenProCteniClick()
{
    m_documents->openReadOnly();
}

void TForm1::mCteniClick()
{
    // The click has already inverted the check mark.
    const bool on = m_ui.actions.mCteni->isChecked();
    m_state->setReadOnlyMode(on);
    m_ui.RichEdit1->setReadOnly(on);
}

void TForm1::mUlozitClick()
{
    m_documents->save();
}

void TForm1::mUlozitJakoClick()
{
    m_documents->saveAs();
}

void TForm1::mOznacenyTextClick()
{
    m_documents->saveSelection();
}

void TForm1::mRecentFileClick()
{
    if (auto *item = qobject_cast<QAction *>(sender()))
        m_documents->openRecent(item->data().toString());
}

void TForm1::tUkladaniTimer()
{
    m_documents->autosave();
}

// ---------------------------------------------------------------------------------------------
// Window

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_documents->queryClose()) {
        event->ignore();
        return;
    }
    m_ui.ikona->hide();
    if (TfUvitani *welcome = m_dialogs.welcome(); welcome && !welcome->isVisible())
        welcome->closeWithoutShowing();
    event->accept();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_rulerPlaced && !event->spontaneous()) {
        // The ruler accepts its start values only once it has its width.
        m_rulerPlaced = true;
        QTimer::singleShot(0, this, [this] {
            m_ui.Ruler->setIndentFirst(0);
            m_ui.Ruler->setIndentLeft(0);
            m_ui.Ruler->setIndentRight(500);
        });
    }
    // Every showing (start-up, back from the tray) offers the welcome dialog while it is wanted;
    // otherwise it is closed unseen, which still writes its list.
    TfUvitani *welcome = m_dialogs.welcome();
    if (!welcome || event->spontaneous())
        return;
    QTimer::singleShot(0, this, [this, welcome = QPointer<TfUvitani>(welcome)] {
        if (!welcome)
            return;
        if (welcome->cbZavrit()->isChecked())
            m_prompter.execDialog(welcome);
        else
            welcome->closeWithoutShowing();
    });
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TForm1::FormActivate()
{
    m_ui.Ruler->setIndentRight(750);
}

void TForm1::mKonecClick()
{
    close();
}

void TForm1::mikonaClick()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Without a notification area a hidden window could not be brought back.
        showMinimized();
        return;
    }
    m_ui.ikona->show();
    hide();
}

void TForm1::pmpokracovatClick()
{
    m_ui.ikona->hide();
    show();
}

void TForm1::mMaxiamlizovaneClick()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void TForm1::Mormln1Click()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void TForm1::Maximalizovan1Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void TForm1::Nov1Click()
{
    m_shell.startDetached(QCoreApplication::applicationFilePath(), {m_documents->openFileName()});
}

void TForm1::mNovinkyClick()
{
    if (m_dialogs.whatsNew())
        m_prompter.execDialog(m_dialogs.whatsNew());
}

// ---------------------------------------------------------------------------------------------
// Status bar, toolbar state and hints

void TForm1::Timer1Timer()
{
    // The counts follow the document's changes; the line count waits for the background layout.
    const TextStatistics stats = m_ui.RichEdit1->statistics();
    m_ui.panels[1]->setText(stats.lines < 0 ? QStringLiteral("Počet řádku: …")
                                            : QStringLiteral("Počet řádku: %1").arg(stats.lines));
    m_ui.panels[0]->setText(QStringLiteral("Počet znaků: %1").arg(stats.characters));
    m_ui.panels[2]->setText(QStringLiteral("Počet mezer: %1").arg(stats.spaces));
    m_ui.panels[3]->setText(QStringLiteral("Počet slov : %1").arg(stats.words));
    m_state->showSelectionFormat();
    m_formatting->showSelectionFormat();
    m_documents->markModifiedInCaption();
}

void TForm1::RichEdit1Change()
{
    m_state->updateUndoRedo();
    m_documents->documentChanged();
}

void TForm1::RichEdit1URLClick(const QString &url)
{
    m_shell.openUrl(url);
}

void TForm1::showHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    m_ui.panels[4]->setText(bar >= 0 ? hint.mid(bar + 1) : hint);
}

bool TForm1::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.RichEdit1 && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        // Menu shortcuts come before the editor: Tab indents, Ctrl+Alt+V types "@". The key of a
        // disabled command does nothing, so the editor cannot undo or paste behind a disabled item.
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        bool disabled = false;
        const QAction *owner = m_ui.shortcutOwner(pressed, &disabled);
        if (event->type() == QEvent::ShortcutOverride && owner) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && !owner && disabled)
            return true;
    }
    const bool hintless = watched == m_ui.Ruler || watched == m_ui.StatusBar1
                          || std::find(m_ui.panels.begin(), m_ui.panels.end(), watched) != m_ui.panels.end();
    if (hintless && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter))
        m_ui.panels[4]->clear();
    return QMainWindow::eventFilter(watched, event);
}

// The menu items invert their check mark when clicked; the bar follows here. The "Skrýt" items
// set the check mark from the bar.
void TForm1::ToolBarStandartClick()
{
    m_ui.tbStandardni->setVisible(m_ui.tbStandardni->isHidden());
}

void TForm1::mToolBarFormatClick()
{
    m_ui.tbFormat->setVisible(m_ui.tbFormat->isHidden());
}

void TForm1::mPravitkoClick()
{
    m_ui.Ruler->setVisible(m_ui.Ruler->isHidden());
}

void TForm1::mStatusBarClick()
{
    m_ui.StatusBar1->setVisible(m_ui.StatusBar1->isHidden());
}

void TForm1::ZobrazitSkrt1Click()
{
    setBarVisible(m_ui.StatusBar1, m_ui.actions.mStatusBar, m_ui.StatusBar1->isHidden());
}

void TForm1::ZobrazitSkrt2Click()
{
    setBarVisible(m_ui.Ruler, m_ui.actions.mPravitko, m_ui.Ruler->isHidden());
}

void TForm1::ZobraziSkrt1Click()
{
    setBarVisible(m_ui.tbStandardni, m_ui.actions.ToolBarStandart, m_ui.tbStandardni->isHidden());
}

void TForm1::Skrt1Click()
{
    setBarVisible(m_ui.tbFormat, m_ui.actions.mToolBarFormat, m_ui.tbFormat->isHidden());
}

// The standard toolbar's pop-up items show or hide one button each; the click has already
// inverted their check mark.
void TForm1::pmOpenNetClick()
{
    m_ui.actions.tbOtevritInternet->setVisible(!m_ui.actions.tbOtevritInternet->isVisible());
}

void TForm1::pmTiskClick()
{
    m_ui.actions.tbTisk->setVisible(!m_ui.actions.tbTisk->isVisible());
}

void TForm1::pmPravopisClick()
{
    m_ui.actions.tbPravopis->setVisible(!m_ui.actions.tbPravopis->isVisible());
}

} // namespace kora
