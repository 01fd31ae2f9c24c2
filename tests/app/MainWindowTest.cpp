#include "app/DroppedContentBar.h"
#include "app/TForm1.h"
#include "platform/Shell.h"
#include "app/TfUvitani.h"
#include "app/Tfnovinky.h"
#include "app/TipsOfTheDay.h"
#include "richedit/RichEdit.h"
#include "support/LocalHttpServer.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kora;
using test::PromptCall;

namespace {

class RecordingLauncher : public Shell
{
public:
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        this->program = program;
        this->arguments = arguments;
        return true;
    }
    bool openUrl(const QString &address) override
    {
        opened << address;
        return true;
    }
    QStringList opened;
    QString program;
    QStringList arguments;
};

class MainWindowTest : public ::testing::Test
{
protected:
    TForm1 &start(const QStringList &arguments = {"kora-editor"})
    {
        form = std::make_unique<TForm1>(prompter, launcher);
        form->FormCreate(arguments);
        form->createDialogs();
        form->show();
        QApplication::processEvents();
        // The welcome dialog has come and gone; shortcuts need the main window active again, also
        // after the window system has delivered the dialog's late activation.
        EXPECT_TRUE(QTest::qWaitFor([this] {
            if (QApplication::activeWindow() != form.get())
                form->activateWindow();
            QApplication::processEvents();
            return QApplication::activeWindow() == form.get();
        }));
        return *form;
    }

    QString file(const QString &name, const QByteArray &data)
    {
        const QString path = home.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return path;
    }

    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void type(const QString &text)
    {
        form->editor()->setSelStart(1 << 30);
        form->editor()->setSelText(text);
    }

    void trigger(const char *name)
    {
        QAction *a = form->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    QString caption() const { return form->windowTitle(); }

    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    RecordingLauncher launcher;
    std::unique_ptr<TForm1> form;
};

const QString kAskNewOpen = QStringLiteral("Přejte si uložit změny v daném souboru ?\r\r");
const QString kAskClose = QStringLiteral("Přejte si uložit změny v daném souboru \r\r");

} // namespace

TEST_F(MainWindowTest, StartsUntitledOrWithTheCommandLineDocument)
{
    start({"kora-editor"});
    EXPECT_EQ(caption(), "KORA Editor - Bez Názvu");
    EXPECT_FALSE(form->editor()->isModified());

    start({"kora-editor", "", "ignored.rtf"});
    EXPECT_EQ(caption(), "KORA Editor - Bez Názvu") << "an empty first argument is no document";
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::Message).empty());

    const QString path = file("doc.rtf", "{\\rtf1 hello}");
    start({"kora-editor", path});
    EXPECT_EQ(caption(), "KORA Editor - ( " + path + ")");
    EXPECT_EQ(form->editor()->text(), "hello");
    EXPECT_FALSE(form->editor()->isModified());
    EXPECT_EQ(form->documents().saveFileName(), path);
    EXPECT_EQ(form->documents().openFileName(), path);
    EXPECT_TRUE(form->documents().recentFiles().isEmpty()) << "the command line does not touch the recent list";
    EXPECT_EQ(form->statusPanel(0)->text(), "Počet znaků: 5");
}

TEST_F(MainWindowTest, CommandLineFileThatCannotBeLoadedShowsTheErrorAndStartsUntitled)
{
    start({"kora-editor", home.filePath("missing.kora")});
    ASSERT_EQ(prompter.callsOf(PromptCall::Kind::Message).size(), 1u);
    const PromptCall error = prompter.callsOf(PromptCall::Kind::Message).front();
    EXPECT_EQ(error.title, "KORA Editor");
    EXPECT_EQ(error.messageKind, MessageKind::Error);
    EXPECT_TRUE(error.text.contains("missing.kora"));
    EXPECT_TRUE(error.text.endsWith('.'));
    EXPECT_EQ(caption(), "KORA Editor - Bez Názvu");
    EXPECT_EQ(form->statusPanel(0)->text(), "Počet znaků: 0") << "start-up goes on after the error";
}

TEST_F(MainWindowTest, MenuTreeHasEveryItemWithCaptionShortcutAndStatusText)
{
    QApplication::clipboard()->clear();
    start();
    QStringList lines;
    std::function<void(QMenu *, const QString &)> walk = [&](QMenu *menu, const QString &path) {
        for (QAction *a : menu->actions()) {
            if (a->isSeparator()) {
                lines << path + " —";
                continue;
            }
            QString caption = a->text();
            caption.remove('&');
            const QString item = path + " › " + caption.section('\t', 0, 0);
            const QString state = !a->isVisible() ? " | hidden" : !a->isEnabled() ? " | disabled" : "";
            lines << QStringLiteral("%1 | %2 | %3%4").arg(item, a->shortcut().toString(), a->statusTip(), state);
            if (a->menu())
                walk(a->menu(), item);
        }
    };
    QList<QMenu *> menus;
    for (QAction *a : form->menuBar()->actions())
        menus << a->menu();
    auto *corner = qobject_cast<QMenuBar *>(form->menuBar()->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(corner, nullptr) << "Nápověda stands at the right end";
    for (QAction *a : corner->actions())
        menus << a->menu();
    for (QMenu *menu : menus) {
        QString title = menu->title();
        title.remove('&');
        lines << QStringLiteral("%1 | %2").arg(title, menu->menuAction()->statusTip());
        walk(menu, title);
    }
    const QString expected = QStringLiteral(R"(Soubor | Menu soubor
Soubor › Nový | Ctrl+N | Nový dokument
Soubor › Otevřít | Ctrl+O | Otevřít dokument
Soubor › Otevřít speciál |  | 
Soubor › Otevřít speciál › Otevřít z interentu | Ctrl+Alt+O | Otevřít z internetu
Soubor › Otevřít speciál › Jen pro čteni |  | Otevřít jen pro čtení
Soubor › Uložit  | Ctrl+S | Uložit dokument
Soubor › Uložit jako |  | Uložit dokument Jako
Soubor › Uložit speciál |  | 
Soubor › Uložit speciál › Jako HTML  |  | 
Soubor › Uložit speciál › Jako PDF |  | 
Soubor › Uložit označený text |  | Uložit označený text | disabled
Soubor —
Soubor › Odeslat |  | Odeslat dokument
Soubor › Odeslat › Disketa A: |  | Odeslat soubor na disketu
Soubor › Odeslat › Obsah textu na E-Mail |  | Odeslat jako text E-mailu
Soubor › Odeslat › Příloha E-mail |  | Odeslat jako přílohu E-mailu
Soubor —
Soubor › Tisk | Ctrl+P | Tisk
Soubor › Tisk (Jen označený text) |  | Vytiskne jen označený text
Soubor › Náhled před tiskem |  |  | hidden
Soubor › Nastavení tiskárny |  | Nastavit tiskárnu
Soubor —
Soubor —
Soubor › Minimalizace do ikony | F10 | 
Soubor › Konec | Alt+F4 | Zavřít program
Úpravy | Menu Úpravy
Úpravy › Kopírovat | Ctrl+C | Kopírovat | disabled
Úpravy › Vložit | Ctrl+V | Vložit | disabled
Úpravy › Vložit speciál |  | Vložit speciál
Úpravy › Vyjmout | Ctrl+X | Vyjmout | disabled
Úpravy —
Úpravy › Zpět | Ctrl+Z | Zpět | disabled
Úpravy › Vpřed | Alt+Z | Vpřed | disabled
Úpravy —
Úpravy › Lámání řádků |  | Lámání řádků
Úpravy › Vybrat vše | Ctrl+A | Vybrat vše | disabled
Úpravy › Jdi na řádek |  | 
Úpravy › Kalkulačka |  | 
Úpravy —
Úpravy › Zarovnání textu |  | Zarovnání
Úpravy › Zarovnání textu › Vlevo |  | Zarovnat text v vlevo
Úpravy › Zarovnání textu › Na střed |  | Zarovnat text na střed
Úpravy › Zarovnání textu › Vpravo |  | Zarovnat text vpravo
Hledat | Menu Hledat
Hledat › Najít | Ctrl+F | Najít text
Hledat › Nahradit | Ctrl+R | Nahradit text
Hledat —
Hledat › Najít speciál |  | 
Zobrazení | Menu zobrazení
Zobrazení › ToolBar (Standardní) |  | Zobrazí/Skryje ToolBar (Standardní)
Zobrazení › ToolBar (Formátování) |  |  Zobrazí/Skryje ToolBar (Formátování)
Zobrazení › Pravítko |  |  Zobrazí/Skryje Pravítko
Zobrazení › Stavový řádek |  | Zobrazí/Skryje Stavový řádek
Zobrazení › Jen pro čtení |  | Zapte/Vypne funkci jen pro čtení
Vložit | Menu vložit
Vložit › Obrázek | Ctrl+Alt+P | 
Vložit › Objekt |  | 
Vložit —
Vložit › Základní znaky |  | 
Vložit › Základní znaky › ( ) |  | 
Vložit › Základní znaky › { } |  | 
Vložit › Základní znaky › [ ] |  | 
Vložit › Základní znaky › < > |  | 
Vložit › Základní znaky —
Vložit › Základní znaky › ! |  | 
Vložit › Základní znaky › @ | Ctrl+Alt+V | 
Vložit › Základní znaky ›  # |  | 
Vložit › Základní znaky › $ |  | 
Vložit › Základní znaky › % |  | 
Vložit › Základní znaky › ^ |  | 
Vložit › Základní znaky › * |  | 
Vložit › Základní znaky › / |  | 
Vložit › Základní znaky › \ | Alt+Q | 
Vložit › Základní znaky › _ |  | 
Vložit › Symbol |  | 
Vložit —
Vložit › Čas | Alt+T | 
Vložit › Datum | Alt+D | 
Vložit › Datum a čas | Ctrl+Alt+D | 
Vložit › Datum/čas Dialog |  | 
Vložit —
Vložit › Hypertextový odkaz | Ctrl+D | 
Vložit › Soubor |  | 
Vložit › Soubor › Celý |  | 
Vložit › Soubor › Text |  | 
Vložit › Cesta k souboru |  | 
Formát | Menu formát
Formát › Zobrazeni okna |  | 
Formát › Zobrazeni okna › Maximalizované  |  | Maximalizuje okno
Formát › Zobrazeni okna › Normální |  | Normální okno
Formát › Zobrazeni okna › Minimalizované |  | Minimalizuje okno
Formát › Na začátek textu |  | Na začátek textu
Formát › Na konec textu |  | Na konec textu
Formát › Na velká písmena  | Ctrl+Alt+M | Označený text na velká písmena
Formát › Na malá písmena |  | Označený text na malá písmena
Formát › Zmenšit odsazení | Shift+Tab | Zmenšit odsazení
Formát › Zvětšit odsazeni | Tab | Zvětšit odsazeni
Písmo | Menu písmo
Písmo › Vybrat font | F5 | 
Písmo › Barva | F6 | 
Písmo —
Písmo › Tučne | Ctrl+B | 
Písmo › Podtržené | Ctrl+U | 
Písmo › Kurzíva | Ctrl+I | 
Písmo › Přeškrtnuté |  | 
Okno | Menu okno
Okno › Nové |  | Otevře nové okno
Nástroje | Menu nástroje
Nástroje › Možnosti | Ctrl+Shift+F3 | Možnosti KORA Editoru
Nástroje › Kontrola pravopisu | F7 | Kontrola pravopisu
Nástroje › Pocet znaků | Ctrl+Alt+Q | Počet znaků
Nástroje › Obsah schránky | Ctrl+Alt+I | Zobrazí obsah schránky 
Nápověda | Menu nápověda
Nápověda › Domovská stránka |  | Spustí Explorer a zobrazí Html stránky  KORA Editoru
Nápověda › Kontaktovat podporu |  | Kontaktovat podporu
Nápověda › O Aplikaci |  | O Programu
Nápověda › Co je nového |  | Co je nového v této verzi
Nápověda › Nejnovější verze |  | Nejnovější verze na internetu)");
    EXPECT_EQ(lines.join('\n').toStdString(), expected.toStdString());
    // The lower-case item shows the shortcut it shares with "@" without taking it.
    EXPECT_TRUE(form->action("mMalaPismena")->text().endsWith("\tCtrl+Alt+V"));
}

TEST_F(MainWindowTest, MenuShortcutsComeBeforeTheEditor)
{
    start();
    RichEdit *edit = form->editor();
    edit->setFocus();
    QApplication::processEvents();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(edit->text(), "@") << "Ctrl+Alt+V types @";
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->text(), "@") << "Tab indents instead of typing";
    EXPECT_EQ(edit->selParaFormat().firstIndent, 20);
    QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(edit->selParaFormat().firstIndent, 0);
}

TEST_F(MainWindowTest, InsertionCommandsAreWiredToTheirKeysButtonsAndDialogs)
{
    start();
    RichEdit *edit = form->editor();
    edit->setFocus();
    QApplication::processEvents();
    QTest::keyClick(edit, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(edit->text(), "\\") << "Alt+Q types a backslash";
    trigger("N22");
    EXPECT_EQ(edit->text(), "\\%");
    edit->setText({});
    QTest::keyClick(edit, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(edit->text().size(), 8) << edit->text().toStdString();
    edit->setText({});
    trigger("tbDatum");
    EXPECT_EQ(edit->text().size(), 10) << "dd.mm.yyyy";
    edit->setText({});
    trigger("tbDatumCas");
    EXPECT_EQ(edit->text().size(), 19) << "the options' yyyy-mm-dd hh:nn:ss";
    edit->setText({});
    trigger("tbcas");
    EXPECT_EQ(edit->text().size(), 8) << "hh:nn:ss";

    prompter.clearCalls();
    for (const char *item : {"mDatumcasDialog", "mSymboly", "mHyperLink", "Text1", "mCestaKSouboru", "mObjekt"})
        trigger(item);
    EXPECT_EQ(prompter.dialogNames(),
              (QStringList{"DatumCas", "symbol", "HyperLink", "TextSouboru", "Cesta", "VlozitObjekt"}));

    trigger("mCteni");
    for (const char *name : {"mObrazek", "mObjekt", "mZnaky", "mCas", "mDatum", "mDatumCas", "mHyperLink", "mSoubor2",
                             "mCestaKSouboru", "mDatumcasDialog", "mVlozitSpecial", "tbDatumCas", "tbcas", "tbDatum"})
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
}

TEST_F(MainWindowTest, NewAsksOnlyWhenModified)
{
    start();
    type("x");
    prompter.answerMessage(ButtonCancel);
    trigger("mNovy");
    EXPECT_EQ(prompter.messageTexts(), QStringList{kAskNewOpen});
    EXPECT_EQ(form->editor()->text(), "x") << "Storno keeps the document";

    prompter.answerMessage(ButtonNo);
    trigger("mNovy");
    EXPECT_EQ(form->editor()->text(), "");
    EXPECT_FALSE(form->editor()->isModified());

    prompter.clearCalls();
    trigger("mNovy");
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::Message).empty()) << "nothing to ask about";
}

// The save question before New, Open, a recent file and closing: every answer, with saves that
// succeed, really fail (folder gone, read-only file) or are cancelled in their dialog.
enum class Command { New, Open, Recent, Close };
enum class Reply { YesSaved, YesFolderGone, YesReadOnlyFile, YesDialogCancelled, No, Cancel };

struct SaveQuestionCase
{
    const char *name;
    Command command;
    Reply reply;
};

void PrintTo(const SaveQuestionCase &c, std::ostream *os)
{
    *os << c.name;
}

class SaveQuestionTest : public MainWindowTest, public ::testing::WithParamInterface<SaveQuestionCase>
{
};

TEST_P(SaveQuestionTest, NeverLosesTheDocument)
{
    const auto [name, command, reply] = GetParam();
    QDir().mkpath(home.filePath("dir"));
    const QString doc = file("dir/doc.rtf", "{\\rtf1 saved}");
    const QString other = file("other.rtf", "{\\rtf1 other}");
    start();
    prompter.answerFile(FileChoice{other, 1});
    trigger("mOtevrit");
    // A titled document is saved without a dialog; an untitled one asks for a name.
    const bool untitled = reply == Reply::YesDialogCancelled;
    if (untitled) {
        trigger("mNovy");
    } else {
        prompter.answerFile(FileChoice{doc, 1});
        trigger("mOtevrit");
    }
    type(" edited");
    const QString before = form->editor()->text();
    const QString captionBefore = caption();

    if (reply == Reply::YesFolderGone) {
        ASSERT_TRUE(QDir(home.filePath("dir")).removeRecursively());
    }
    if (reply == Reply::YesReadOnlyFile) {
        ASSERT_TRUE(QFile::setPermissions(doc, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const bool yes = reply != Reply::No && reply != Reply::Cancel;
    prompter.answerMessage(yes ? ButtonYes : reply == Reply::No ? ButtonNo : ButtonCancel);
    // New and Open save through the save dialog whatever the document's name.
    const bool dialogSave = command == Command::New || command == Command::Open;
    if (yes && (dialogSave || untitled))
        prompter.answerFile(untitled ? std::nullopt : std::optional(FileChoice{doc, 1}));
    if (command == Command::Open && reply == Reply::No)
        prompter.answerFile(FileChoice{other, 1});
    prompter.clearCalls();

    switch (command) {
    case Command::New: trigger("mNovy"); break;
    case Command::Open: trigger("mOtevrit"); break;
    case Command::Recent:
        for (QAction *item : form->findChildren<QAction *>()) {
            if (item->objectName().startsWith("mRecent") && item->data().toString() == other) {
                item->trigger();
                break;
            }
        }
        break;
    case Command::Close:
        form->editor()->setFocus();
        QTest::keyClick(form->editor(), Qt::Key_F4, Qt::AltModifier);
        break;
    }

    ASSERT_FALSE(prompter.messageTexts().isEmpty());
    EXPECT_TRUE(prompter.messageTexts().first().startsWith("Přejte si uložit změny v daném souboru"));
    const bool goesOn = reply == Reply::No || (reply == Reply::YesSaved && command != Command::Open);
    if (reply == Reply::YesSaved) {
        EXPECT_TRUE(read(doc).contains("edited"));
    }
    if (reply == Reply::YesFolderGone || reply == Reply::YesReadOnlyFile) {
        ASSERT_EQ(prompter.messageTexts().size(), 2) << "the failed save is reported";
        if (command == Command::Recent)
            EXPECT_EQ(prompter.messageTexts().last(), "Chyba při otevírání souboru. Soubor nejspíš neexistuje");
        else
            EXPECT_TRUE(prompter.messageTexts().last().contains("doc.rtf"));
        EXPECT_FALSE(read(doc).contains("edited"));
    }
    if (!goesOn) {
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->editor()->text(), before) << "the document stays";
        // Only a save that worked clears the modified flag (Open's "Ano" saves, then opens nothing).
        EXPECT_EQ(form->editor()->isModified(), reply != Reply::YesSaved);
        if (reply != Reply::YesSaved) {
            EXPECT_EQ(caption(), captionBefore);
        }
        return;
    }
    switch (command) {
    case Command::New:
        EXPECT_EQ(form->editor()->text(), "");
        EXPECT_FALSE(form->editor()->isModified());
        EXPECT_EQ(caption(), "KORA Editor - Bez Názvu");
        break;
    case Command::Open:
    case Command::Recent:
        EXPECT_EQ(form->editor()->text(), "other");
        EXPECT_EQ(caption(), "KORA Editor - ( " + other + ")");
        break;
    case Command::Close: EXPECT_FALSE(form->isVisible()); break;
    }
}

const SaveQuestionCase kSaveQuestionCases[] = {
    {"NewYesSaved", Command::New, Reply::YesSaved},
    {"NewYesFolderGone", Command::New, Reply::YesFolderGone},
    {"NewYesReadOnlyFile", Command::New, Reply::YesReadOnlyFile},
    {"NewYesDialogCancelled", Command::New, Reply::YesDialogCancelled},
    {"NewNo", Command::New, Reply::No},
    {"NewCancel", Command::New, Reply::Cancel},
    {"OpenYesSavesAndOpensNothing", Command::Open, Reply::YesSaved},
    {"OpenYesFolderGone", Command::Open, Reply::YesFolderGone},
    {"OpenYesDialogCancelled", Command::Open, Reply::YesDialogCancelled},
    {"OpenNo", Command::Open, Reply::No},
    {"OpenCancel", Command::Open, Reply::Cancel},
    {"RecentYesSaved", Command::Recent, Reply::YesSaved},
    {"RecentYesFolderGone", Command::Recent, Reply::YesFolderGone},
    {"RecentYesReadOnlyFile", Command::Recent, Reply::YesReadOnlyFile},
    {"RecentYesDialogCancelled", Command::Recent, Reply::YesDialogCancelled},
    {"RecentNo", Command::Recent, Reply::No},
    {"RecentCancel", Command::Recent, Reply::Cancel},
    {"CloseYesSaved", Command::Close, Reply::YesSaved},
    {"CloseYesFolderGone", Command::Close, Reply::YesFolderGone},
    {"CloseYesReadOnlyFile", Command::Close, Reply::YesReadOnlyFile},
    {"CloseYesDialogCancelled", Command::Close, Reply::YesDialogCancelled},
    {"CloseNo", Command::Close, Reply::No},
    {"CloseCancel", Command::Close, Reply::Cancel},
};

INSTANTIATE_TEST_SUITE_P(EveryAnswer, SaveQuestionTest, ::testing::ValuesIn(kSaveQuestionCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, WelcomeDialogOverAModifiedDocumentAsksFirst)
{
    const QString doc = file("w.rtf", "{\\rtf1 listed}");
    start();
    type("unsaved");
    TfUvitani *welcome = form->dialogs().welcome();
    welcome->appendDocument(doc);
    // Back from the tray the welcome dialog comes again; opening from its list asks the question.
    prompter.answerDialog([&](QDialog *) {
        welcome->cbOtevrit()->click();
        welcome->lbDokumenty()->setCurrentRow(0);
        welcome->button1()->click();
        EXPECT_TRUE(welcome->isVisible()) << "Storno keeps the dialog open";
    });
    prompter.answerMessage(ButtonCancel);
    prompter.clearCalls();
    form->hide();
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(prompter.messageTexts(), QStringList{kAskClose}) << "no error box after Storno";
    EXPECT_EQ(form->editor()->text(), "unsaved");
    EXPECT_TRUE(form->editor()->isModified());
}

// A new document is saved by the extension rule, whatever the previous file was read as.
struct SaveFormatCase
{
    const char *name;
    const char *openName;
    QByteArray openBytes;
    bool newFirst;
    const char *saveName;
    int filterIndex;
    QByteArray expectedStart; // of the written file
};

TEST_F(MainWindowTest, SaveFormatFollowsTheExtensionNotThePreviousFile)
{
    const QByteArray utf16 = QByteArray("\xff\xfe", 2) + QByteArray("\x7e\x01", 2); // BOM, "ž"
    const SaveFormatCase cases[] = {
        {"new after an ini read as text, saved as .ini", "a.ini", "plain ini", true, "b.ini", 3, "{\\rtf1"},
        {"new after an ini read as text, saved without extension", "a.ini", "plain ini", true, "b", 4, "{\\rtf1"},
        {"new after UTF-16 text, saved as .txt", "u.txt", utf16, true, "n.txt", 2, "\xc5\x99 bold"},
        {"a .txt saved as .ini", "t.txt", "text", false, "t.ini", 3, "{\\rtf1"},
        {"an ini read as text stays text under another name", "a.ini", "plain ini", false, "a.log", 4, "plain ini"},
    };
    start();
    for (const SaveFormatCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString opened = file(QString::fromUtf8(c.openName), c.openBytes);
        form->editor()->setModified(false);
        prompter.answerFile(FileChoice{opened, 4});
        trigger("mOtevrit");
        if (c.newFirst) {
            trigger("mNovy");
            type(QStringLiteral("ř bold"));
            form->editor()->selectAllText();
            trigger("mTucne");
        }
        const QString target = home.filePath(QString::fromUtf8(c.saveName));
        prompter.answerFile(FileChoice{target, c.filterIndex});
        trigger("mUlozitJako");
        const QString written = form->documents().saveFileName();
        EXPECT_TRUE(read(written).startsWith(c.expectedStart)) << read(written).left(40).toStdString();
    }
}

TEST_F(MainWindowTest, UndoNeverChangesAReadOnlyDocumentOrBringsBackTheLastOne)
{
    start();
    RichEdit *edit = form->editor();
    edit->setFocus();
    QTest::keyClicks(edit, "abc");
    trigger("mCteni");
    for (const char *name : {"mZpet", "zpet", "tbZpet", "mVpred", "vpred", "tbVpred"})
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "abc") << "Ctrl+Z in the read-only mode";

    // Open keeps the mode but lets the editor take typing; undo stays off while the mode is on.
    const QString path = file("ro.txt", "file");
    prompter.answerMessage(ButtonNo);
    prompter.answerFile(FileChoice{path, 2});
    trigger("mOtevrit");
    edit->setFocus();
    QTest::keyClicks(edit, "x");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "xfile");
    EXPECT_FALSE(form->action("mZpet")->isEnabled());
    trigger("mCteni");
    EXPECT_TRUE(form->action("mZpet")->isEnabled()) << "leaving the mode gives undo back";

    // New starts with an empty history: nothing of the previous document comes back.
    prompter.answerMessage(ButtonNo);
    trigger("mNovy");
    EXPECT_FALSE(form->action("mZpet")->isEnabled());
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(edit->isModified());
}

TEST_F(MainWindowTest, SaveAsAddsTheExtensionOfTheChosenType)
{
    start();
    type("text");
    prompter.answerFile(FileChoice{home.filePath("plain"), 2});
    trigger("mUlozitJako");
    const QString txt = home.filePath("plain.txt");
    EXPECT_EQ(read(txt), "text");
    EXPECT_EQ(caption(), "KORA Editor - ( " + txt + ")");
    EXPECT_EQ(form->documents().saveFileName(), txt);
    EXPECT_FALSE(form->editor()->isModified());

    prompter.answerFile(FileChoice{home.filePath("rich"), 0});
    trigger("mUlozitJako");
    EXPECT_TRUE(read(home.filePath("rich.kora")).startsWith("{\\rtf1"));
    const PromptCall &dialog = prompter.callsOf(PromptCall::Kind::File).back();
    EXPECT_EQ(dialog.file.dialogName, "sdUlozit");
    EXPECT_EQ(dialog.file.filterIndex, 2) << "the dialog keeps the last chosen type";
    EXPECT_EQ(form->documents().recentFiles(), (QStringList{home.filePath("rich.kora"), txt}));
}

TEST_F(MainWindowTest, SaveWritesUnderTheNameAndFailureKeepsTheDocumentModified)
{
    const QString path = file("doc.rtf", "{\\rtf1 a}");
    start({"kora-editor", path});
    type("b");
    trigger("mUlozit");
    EXPECT_EQ(caption(), "KORA Editor - ( " + path + " )");
    EXPECT_FALSE(form->editor()->isModified());
    EXPECT_TRUE(read(path).contains("ab"));

    // A save that fails shows the error and leaves the document modified and the caption as it was.
    type("c");
    prompter.answerFile(FileChoice{home.filePath("no/such/dir/x.rtf"), 1});
    trigger("mUlozitJako");
    EXPECT_TRUE(prompter.messageTexts().last().contains("x.rtf"));
    EXPECT_TRUE(form->editor()->isModified());
    EXPECT_EQ(form->documents().saveFileName(), home.filePath("no/such/dir/x.rtf")) << "the confirmed name was taken";
    EXPECT_EQ(caption(), "KORA Editor - ( " + path + " )");
}

TEST_F(MainWindowTest, OpenBranches)
{
    const QString a = file("a.rtf", "{\\rtf1 first}");
    const QString b = file("b.txt", "second");
    start();
    prompter.answerFile(FileChoice{a, 1});
    trigger("mOtevrit");
    EXPECT_EQ(caption(), "KORA Editor - ( " + a + " )");
    EXPECT_EQ(form->documents().openFileName(), a);
    EXPECT_EQ(form->documents().recentFiles(), QStringList{a});

    // Modified, "Ne": the open dialog follows and the caption has no space before ")".
    type("!");
    prompter.answerMessage(ButtonNo);
    prompter.answerFile(FileChoice{b, 2});
    trigger("mOtevrit");
    EXPECT_EQ(form->editor()->text(), "second");
    EXPECT_EQ(caption(), "KORA Editor - ( " + b + ")");

    // Modified, "Ano": Save As runs and nothing is opened.
    type("?");
    prompter.answerMessage(ButtonYes);
    prompter.answerFile(std::nullopt);
    trigger("mOtevrit");
    EXPECT_EQ(form->editor()->text(), "second?");
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::File).back().file.dialogName, "sdUlozit");

    // A failing load shows the error and changes nothing else.
    form->editor()->setModified(false);
    prompter.answerFile(FileChoice{home.filePath("gone.rtf"), 1});
    trigger("mOtevrit");
    EXPECT_TRUE(prompter.messageTexts().last().contains("gone.rtf"));
    EXPECT_EQ(form->editor()->text(), "second?");
    EXPECT_EQ(form->documents().recentFiles(), (QStringList{b, a}));
}

TEST_F(MainWindowTest, RecentListRules)
{
    start();
    QStringList paths;
    for (int i = 0; i < 8; ++i)
        paths << file(QStringLiteral("f%1.txt").arg(i), "x");
    for (const QString &p : paths) {
        prompter.answerFile(FileChoice{p, 2});
        trigger("mOtevrit");
    }
    ASSERT_EQ(form->documents().recentFiles().size(), 7);
    EXPECT_EQ(form->documents().recentFiles().first(), paths.last());
    EXPECT_FALSE(form->documents().recentFiles().contains(paths.first())) << "the eighth file drops the oldest";

    // Letter case does not make a new entry; the new spelling moves to the front.
    const QString upper = file(QFileInfo(paths.at(3)).fileName().toUpper(), "x");
    prompter.answerFile(FileChoice{upper, 2});
    trigger("mOtevrit");
    EXPECT_EQ(form->documents().recentFiles().first(), upper);
    EXPECT_EQ(form->documents().recentFiles().size(), 7);

    QAction *first = form->action("mRecent0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "&0. " + upper);
    EXPECT_EQ(first->statusTip(), upper);

    // Choosing a recent file asks even when nothing changed.
    prompter.clearCalls();
    prompter.answerMessage(ButtonNo);
    const QString current = form->documents().saveFileName();
    form->action("mRecent3")->trigger();
    EXPECT_EQ(prompter.messageTexts(), QStringList{kAskClose + current});

    // The list is written at every close, also when the close is cancelled.
    type("z");
    prompter.answerMessage(ButtonCancel);
    form->close();
    EXPECT_TRUE(form->isVisible());
    const QByteArray written = read(form->documents().recentListPath());
    EXPECT_TRUE(written.startsWith(form->documents().recentFiles().first().toUtf8() + "\r\n"));
}

TEST_F(MainWindowTest, RecentFileThatIsGoneShowsTheFixedMessage)
{
    const QString gone = file("gone.txt", "x");
    start();
    prompter.answerFile(FileChoice{gone, 2});
    trigger("mOtevrit");
    QFile::remove(gone);
    prompter.answerMessage(ButtonNo);
    form->action("mRecent0")->trigger();
    EXPECT_EQ(prompter.messageTexts().last(), "Chyba při otevírání souboru. Soubor nejspíš neexistuje");
    EXPECT_EQ(form->documents().recentFiles(), QStringList{gone}) << "the entry stays";
}

TEST_F(MainWindowTest, ReadOnlyOpenAndReadOnlyMode)
{
    const QString path = file("ro.txt", "locked");
    start();
    prompter.answerFile(FileChoice{path, 2});
    trigger("JenProCteni");
    EXPECT_EQ(caption(), "KORA Editor - ( " + path + ") [Jen pro čtení]");
    EXPECT_TRUE(form->editor()->isReadOnly());
    EXPECT_TRUE(form->documents().recentFiles().isEmpty());
    form->editor()->selectAllText();
    EXPECT_TRUE(form->action("mKopirovat")->isEnabled()) << "the mode is not switched by the read-only open";

    trigger("mCteni");
    EXPECT_TRUE(form->action("mCteni")->isChecked());
    for (const char *name : {"mVlozit", "mKopirovat", "mVyjmout", "mZnaky", "mpismo", "mPravopis", "tbZpet", "tbVpred",
                             "tbNahradit", "tbZmensitOdsazeni"}) {
        EXPECT_FALSE(form->action(name)->isEnabled()) << name;
    }
    // Open switches the read-only flag off but leaves the mode's marks.
    prompter.answerFile(FileChoice{path, 2});
    trigger("mOtevrit");
    EXPECT_FALSE(form->editor()->isReadOnly());
    EXPECT_TRUE(form->action("mCteni")->isChecked());
    form->editor()->selectAllText();
    trigger("mCteni");
    EXPECT_TRUE(form->action("mKopirovat")->isEnabled());
    EXPECT_TRUE(form->action("tbZpet")->isEnabled()) << "leaving the mode enables undo until the next change";
}

TEST_F(MainWindowTest, StatusCountsAndRefreshStates)
{
    start();
    form->editor()->setText("a b\r\nc");
    form->Timer1Timer();
    EXPECT_EQ(form->statusPanel(0)->text(), "Počet znaků: 6");
    EXPECT_EQ(form->statusPanel(1)->text(), "Počet řádku: 2");
    EXPECT_EQ(form->statusPanel(2)->text(), "Počet mezer: 1");
    EXPECT_EQ(form->statusPanel(3)->text(), "Počet slov : 3");
    QLabel *count = form->statusPanel(0);
    count->setText("Počet znaků: 12345678");
    QApplication::processEvents();
    EXPECT_GE(count->contentsRect().width(), count->fontMetrics().horizontalAdvance(count->text()))
        << "a large count is not cut off";
    EXPECT_EQ(form->statusPanel(1)->width(), 120);

    RichEdit *edit = form->editor();
    edit->selectAllText();
    edit->setSelStyle(StyleBold | StyleStrikeOut);
    edit->setParaAlignment(AlignJustify);
    edit->setSelSize(14);
    form->Timer1Timer();
    EXPECT_TRUE(form->action("tbTucne")->isChecked());
    EXPECT_TRUE(form->action("mTucne")->isChecked());
    EXPECT_TRUE(form->action("mPreskrtnute")->isChecked());
    EXPECT_FALSE(form->action("tbKurziva")->isChecked());
    for (const char *name : {"tbVlevo", "tbCenter", "tbVpravo", "mVlevo"})
        EXPECT_FALSE(form->action(name)->isChecked()) << "justified presses none: " << name;
    auto *size = form->findChild<QComboBox *>("cbVelikost");
    EXPECT_EQ(size->currentText(), "14");

    // A modified titled document is marked in the caption.
    const QString path = file("t.txt", "t");
    prompter.answerMessage(ButtonNo);
    prompter.answerFile(FileChoice{path, 2});
    trigger("mOtevrit");
    type("u");
    form->Timer1Timer();
    EXPECT_EQ(caption(), "KORA Editor - ( " + path + "*)");
}

TEST_F(MainWindowTest, UndoAndRedoFollowEveryChange)
{
    start();
    EXPECT_FALSE(form->action("mZpet")->isEnabled());
    type("a");
    EXPECT_TRUE(form->action("mZpet")->isEnabled());
    EXPECT_TRUE(form->action("tbZpet")->isEnabled());
    EXPECT_TRUE(form->action("zpet")->isEnabled());
    trigger("mZpet");
    EXPECT_FALSE(form->action("mZpet")->isEnabled()) << "undoing every step disables undo at once";
    EXPECT_TRUE(form->action("mVpred")->isEnabled());
    EXPECT_TRUE(form->action("vpred")->isEnabled());
}

TEST_F(MainWindowTest, HintsGoToTheFifthPanel)
{
    start();
    QLabel *panel = form->statusPanel(4);
    QStatusTipEvent withBar("short|long text");
    QApplication::sendEvent(form.get(), &withBar);
    EXPECT_EQ(panel->text(), "long text");
    QStatusTipEvent plain("whole");
    QApplication::sendEvent(form.get(), &plain);
    EXPECT_EQ(panel->text(), "whole");
    EXPECT_EQ(form->action("tbZpet")->statusTip(), "O krok zpěd");
    EXPECT_EQ(form->action("tbZpet")->toolTip(), "O krok zpět");
    QTest::mouseMove(form->statusBar());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->statusBar(), &move);
    EXPECT_EQ(panel->text(), "") << "the status bar empties the panel";
}

TEST_F(MainWindowTest, ShowAndHideBars)
{
    start();
    QStatusBar *status = form->statusBar();
    trigger("ZobrazitSkrt1"); // "Skrýt" on the status bar
    EXPECT_FALSE(status->isVisible());
    EXPECT_FALSE(form->action("mStatusBar")->isChecked());
    trigger("mStatusBar");
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(form->action("mStatusBar")->isChecked());

    auto *standard = form->findChild<QToolBar *>("tbStandardni");
    trigger("ToolBarStandart");
    EXPECT_FALSE(standard->isVisible());
    EXPECT_FALSE(form->action("ToolBarStandart")->isChecked());
    trigger("ZobraziSkrt1");
    EXPECT_TRUE(standard->isVisible());
    EXPECT_TRUE(form->action("ToolBarStandart")->isChecked());
}

TEST_F(MainWindowTest, ClosingAsksForAModifiedDocumentOnly)
{
    start();
    form->close();
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::Message).empty());
    EXPECT_FALSE(form->isVisible());

    start();
    type("x");
    prompter.answerMessage(ButtonNo);
    form->close();
    EXPECT_EQ(prompter.messageTexts().last(), kAskClose) << "an untitled document names no file";
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, NewWindowStartsTheProgramWithTheLastOpenedName)
{
    start();
    trigger("Nov1");
    EXPECT_EQ(launcher.arguments, QStringList{""});
    const QString path = file("n.txt", "n");
    prompter.answerFile(FileChoice{path, 2});
    trigger("mOtevrit");
    prompter.answerFile(FileChoice{home.filePath("other.txt"), 2});
    trigger("mUlozitJako");
    trigger("Nov1");
    EXPECT_EQ(launcher.arguments, QStringList{path}) << "the name last chosen in Open, not the saved one";
    EXPECT_EQ(launcher.program, QCoreApplication::applicationFilePath());
}

TEST_F(MainWindowTest, DroppedContentIsToldWithoutAModalBox)
{
    const QString path =
        file("table.rtf", "{\\rtf1 {\\header Head}\\trowd\\cellx100\\pard\\intbl a\\cell\\row\\pard body\\par}");
    start({"kora-editor", path});
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::Message).empty());
    DroppedContentBar *bar = form->ui().droppedBar;
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->text().contains("záhlaví")) << bar->text().toStdString();
    EXPECT_TRUE(bar->text().contains("tabulky"));
    bar->findChild<QPushButton *>("bJenProCteni")->click();
    EXPECT_TRUE(form->action("mCteni")->isChecked());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(MainWindowTest, MinimiseToTrayWithoutTrayMinimises)
{
    start();
    trigger("mikona");
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_FALSE(form->isVisible());
        trigger("pmpokracovat");
        EXPECT_TRUE(form->isVisible());
    } else {
        EXPECT_TRUE(form->isVisible()) << "the window stays reachable";
        EXPECT_TRUE(form->isMinimized() || form->windowState() & Qt::WindowMinimized);
    }
}

TEST_F(MainWindowTest, WelcomeDialogAtStartAndTheListOfOpenedDocuments)
{
    const QString doc = file("w.txt", "welcome");
    start();
    EXPECT_EQ(prompter.dialogNames(), QStringList{"fUvitani"}) << "shown while its check box is ticked";
    const QString list = home.filePath("Otevřené soubory.ini");
    EXPECT_TRUE(QFile::exists(list)) << "every close writes the list";

    prompter.answerFile(FileChoice{doc, 2});
    trigger("mOtevrit");
    EXPECT_EQ(form->dialogs().welcome()->documents(), QStringList{doc});

    // Unticked: closed unseen at the next showing, which writes what Open appended.
    form->dialogs().welcome()->cbZavrit()->setChecked(false);
    prompter.clearCalls();
    form->hide();
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(prompter.dialogNames().isEmpty());
    EXPECT_EQ(read(list), doc.toUtf8() + "\r\n");
}

TEST_F(MainWindowTest, WelcomeDialogOpensADocumentLikeTheCommandLine)
{
    const QString doc = file("from-list.rtf", "{\\rtf1 listed}");
    start();
    QString error;
    ASSERT_TRUE(form->openDocument(doc, &error));
    EXPECT_EQ(caption(), "KORA Editor - ( " + doc + ")");
    EXPECT_EQ(form->documents().openFileName(), doc);
    EXPECT_EQ(form->documents().saveFileName(), doc);
    EXPECT_TRUE(form->documents().recentFiles().isEmpty());
    EXPECT_FALSE(form->openDocument(home.filePath("none.rtf"), &error));
    EXPECT_TRUE(error.contains("none.rtf"));
}

TEST_F(MainWindowTest, WhatsNewAndAutosave)
{
    const QString doc = file("auto.txt", "a");
    start();
    prompter.clearCalls();
    trigger("mNovinky");
    EXPECT_EQ(prompter.dialogNames(), QStringList{"fnovinky"});

    // Untitled: never saved automatically.
    type("x");
    emit form->dialogs().options()->autosaveDue();
    EXPECT_TRUE(prompter.callsOf(PromptCall::Kind::File).empty());

    prompter.answerMessage(ButtonNo);
    prompter.answerFile(FileChoice{doc, 2});
    trigger("mOtevrit");
    type("b");
    emit form->dialogs().options()->autosaveDue();
    EXPECT_EQ(read(doc), "ab");
    EXPECT_FALSE(form->editor()->isModified());
    EXPECT_EQ(form->dialogs().options()->tUkladani()->interval(), 600000);
}

TEST_F(MainWindowTest, EditCommandsFollowWhatTheFocusedControlCanDo)
{
    start();
    QApplication::clipboard()->clear();
    form->editor()->setFocus();
    EXPECT_FALSE(form->action("mKopirovat")->isEnabled()) << "nothing selected";
    EXPECT_FALSE(form->action("mVybratVse")->isEnabled()) << "nothing to select";
    EXPECT_FALSE(form->action("mVlozit")->isEnabled()) << "empty clipboard";
    type("text");
    form->editor()->selectAllText();
    EXPECT_TRUE(form->action("mKopirovat")->isEnabled());
    EXPECT_TRUE(form->action("tbVyjmout")->isEnabled());
    EXPECT_TRUE(form->action("mVybratVse")->isEnabled());
    trigger("mKopirovat");
    EXPECT_TRUE(form->action("mVlozit")->isEnabled());
    EXPECT_TRUE(form->action("pmVlozit")->isEnabled());
    trigger("mCteni");
    EXPECT_FALSE(form->action("mVlozit")->isEnabled()) << "the read-only mode wins";
}

TEST_F(MainWindowTest, StartUpPointsTheSpellCheckerAtItsDictionaries)
{
    start();
    EXPECT_EQ(form->mainDictionaryPath(), home.filePath("slovník.dic"));
    EXPECT_EQ(form->userDictionaryPath(), home.filePath("englishuser.dic"));
    EXPECT_EQ(form->tips()->objectName(), "tipdne");
    EXPECT_FALSE(form->tips()->showAtStartup()) << "off until a stored setting says otherwise";
}

TEST_F(MainWindowTest, SpellCheckIsWiredToF7AndItsToolbarButtonToThePopUp)
{
    start();
    form->editor()->setFocus();
    QTest::keyClick(form->editor(), Qt::Key_F7);
    ASSERT_FALSE(prompter.messageTexts().isEmpty()) << "F7 runs the check";
    EXPECT_EQ(prompter.messageTexts().last(), "Kontrola pravopisu byla dokončna");

    QAction *button = form->action("tbPravopis");
    trigger("pmPravopis");
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(form->action("pmPravopis")->isChecked());
    trigger("pmPravopis");
    EXPECT_TRUE(button->isVisible());
    trigger("pmTisk");
    EXPECT_FALSE(form->action("tbTisk")->isVisible());
    trigger("pmOpenNet");
    EXPECT_FALSE(form->action("tbOtevritInternet")->isVisible());
}

TEST_F(MainWindowTest, OutputCommandsAreWired)
{
    start();
    type("text");
    prompter.clearCalls();
    prompter.answerFile(std::nullopt);
    trigger("jakoHTML1");
    ASSERT_EQ(prompter.callsOf(PromptCall::Kind::File).size(), 1u);
    EXPECT_EQ(prompter.callsOf(PromptCall::Kind::File).front().file.dialogName, "sdhtml");

    // Ctrl+P asks for a printer, or says there is none.
    prompter.clearCalls();
    form->editor()->setFocus();
    QTest::keyClick(form->editor(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_FALSE(prompter.calls().empty());
    const PromptCall &first = prompter.calls().front();
    EXPECT_TRUE(first.kind == PromptCall::Kind::Printer || first.text == "V sytému není nainstalovaná žádná tiskárna");
}

TEST_F(MainWindowTest, SearchCommandsFromTheMenusKeysAndToolbar)
{
    start();
    RichEdit *edit = form->editor();
    edit->setText("jedna\r\ndva");
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
    auto *find = form->findChild<QDialog *>("fdNajit");
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->isModal());
    EXPECT_EQ(find->parentWidget(), form.get());
    find->hide();
    trigger("tbNajit");
    EXPECT_TRUE(find->isVisible()) << "the toolbar button runs the menu item";

    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == form.get(); }));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_R, Qt::ControlModifier);
    auto *replace = form->findChild<QDialog *>("rdNahradit");
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->isVisible());
    replace->hide();
    trigger("tbNahradit");
    EXPECT_TRUE(replace->isVisible());

    prompter.clearCalls();
    trigger("Najtspecil1");
    trigger("mRadek");
    EXPECT_EQ(prompter.dialogNames(), QStringList({"fhledat", "JdiRadek"}));
    EXPECT_EQ(form->dialogs().findSpecial()->objectName(), "fhledat");

    trigger("mKonecTextu");
    EXPECT_EQ(edit->selStart(), 9);
    trigger("mZacatekTextu");
    EXPECT_EQ(edit->selStart(), 0);

    trigger("mCteni");
    EXPECT_FALSE(form->action("tbNahradit")->isEnabled());
    trigger("mCteni");
}

TEST_F(MainWindowTest, ToolWindowsFromTheirShortcutsAndMenuItems)
{
    start();
    prompter.clearCalls();
    RichEdit *edit = form->editor();
    edit->setText("jedna dva\r\ntři");
    edit->select(0, 5);
    edit->setFocus();

    QString words;
    QString selected;
    prompter.answerDialog([&](QDialog *dialog) {
        words = dialog->findChild<QLabel *>("lSlova")->text();
        selected = dialog->findChild<QLabel *>("lOznaceno")->text();
    });
    QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(words, "3");
    EXPECT_EQ(selected, "5");

    QTest::keyClick(edit, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
    trigger("mKalkulacka");
    EXPECT_EQ(prompter.dialogNames(), QStringList({"Znaky", "obsah", "kal"}));
    EXPECT_EQ(form->dialogs().characterCount()->windowTitle(), "Počet znaků");
    EXPECT_EQ(form->dialogs().clipboard()->windowTitle(), "Obsah schránky");
    EXPECT_EQ(form->findChild<QDialog *>("kal")->windowTitle(), "Kalkulačka");
}

TEST_F(MainWindowTest, APageFromTheInternetComesAfterTheSaveQuestionAsAnUntitledDocument)
{
    test::LocalHttpServer server;
    server.route("/a.htm", {200, "<p>web</p>"});
    const QString mine = file("mine.rtf", "{\\rtf1 mine}");
    start({"kora-editor", mine});
    type(" edited");
    prompter.clearCalls();
    prompter.answerMessage(ButtonNo);
    prompter.answerDialog([&](QDialog *dialog) {
        dialog->findChild<QComboBox *>("cbOtevrit")->setEditText(server.url("/a.htm"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("bOtevrit"), Qt::LeftButton);
    });
    prompter.answerDialog(
        [](QDialog *progress) { EXPECT_TRUE(QTest::qWaitFor([progress] { return !progress->isVisible(); }, 20000)); });
    form->editor()->setFocus();
    QTest::keyClick(form->editor(), Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(prompter.messageTexts(), QStringList{kAskNewOpen + mine});
    EXPECT_EQ(prompter.dialogNames(), (QStringList{"OtevritNet", "Stahovani"}));
    EXPECT_EQ(form->editor()->text(), "<p>web</p>");
    EXPECT_EQ(caption(), "KORA Editor - Bez Názvu");
    EXPECT_FALSE(form->editor()->isModified());

    type(" more");
    prompter.answerFile(std::nullopt);
    trigger("mUlozit");
    const auto files = prompter.callsOf(PromptCall::Kind::File);
    ASSERT_EQ(files.size(), 1u) << "Save asks for a name";
    EXPECT_EQ(files[0].file.dialogName, "sdUlozit");
    EXPECT_EQ(read(mine), "{\\rtf1 mine}") << "the user's file is never overwritten by the page";
}

TEST_F(MainWindowTest, ExchangeCommandsAreWired)
{
    start();
    prompter.clearCalls();
    trigger("tbOtevritInternet");
    trigger("DisketaA");
    trigger("OAplikaci1");
    EXPECT_EQ(prompter.dialogNames(), (QStringList{"OtevritNet", "disketa", "aplikace"}));

    trigger("WWWKORAEditoru1");
    trigger("Kontaktovatpodporu1");
    ASSERT_EQ(launcher.opened.size(), 2);
    EXPECT_TRUE(launcher.opened[0].startsWith("http://"));
    EXPECT_TRUE(launcher.opened[1].endsWith("?subject=KORA.Editor1.1.8"));

    test::LocalHttpServer server;
    server.route("/verze", {200, "2.0"});
    const test::ScopedVariable version("KORA_VERSION_PAGE_URL", server.url("/verze"));
    prompter.answerDialog(
        [](QDialog *progress) { EXPECT_TRUE(QTest::qWaitFor([progress] { return !progress->isVisible(); }, 20000)); });
    trigger("Nejnovjverze1");
    EXPECT_EQ(prompter.messageTexts(), QStringList{"Na internetu je nejnovější verze : 2.0\rVyužíváte verzi : 1.1.8"});
}
