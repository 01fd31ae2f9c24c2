#include "InsertionFixture.h"

#include "editing/insertion/VisitedAddresses.h"
#include "platform/BrowserHistory.h"
#include "support/Unprivileged.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <sqlite3.h>

using namespace kora;

namespace {

class ListedHistory : public BrowserHistory
{
public:
    explicit ListedHistory(QStringList addresses)
        : m_addresses(std::move(addresses))
    {
    }
    QStringList visitedAddresses() override { return m_addresses; }

private:
    QStringList m_addresses;
};

class HyperLinkDialog : public test::InsertionFixture
{
protected:
    // Types `address` into the dialog and presses "Vložit".
    void insertLink(const QString &address)
    {
        prompter.answerDialog([&](QDialog *dialog) {
            auto *d = static_cast<THyperLink *>(dialog);
            typeInto(d->eAdresa()->lineEdit(), address);
            click(d->bVlozit());
        });
        mHyperLink.trigger();
    }
    QString odkazy() const { return QString::fromUtf8(test::readFile(home.filePath(QStringLiteral("Odkazy.INI")))); }
};

TEST_F(HyperLinkDialog, AnInsertedAddressReplacesTheSelectionAndJoinsTheHistoryEveryTime)
{
    editor->setText(QStringLiteral("viz tady."));
    select(4, 4);
    insertLink(QStringLiteral("http://www.example.cz/"));
    EXPECT_EQ(editor->text(), "viz http://www.example.cz/.");
    EXPECT_EQ(editor->selStart(), 26);
    select(0, 0);
    insertLink(QStringLiteral("http://www.example.cz/"));
    EXPECT_EQ(odkazy(), "http://www.example.cz/\r\nhttp://www.example.cz/\r\n") << "duplicates are kept";
    EXPECT_EQ(hyperLink->historyPath(), home.filePath(QStringLiteral("Odkazy.INI")));

    // A dialog created later starts with the file's entries.
    THyperLink next(*editor, prompter);
    EXPECT_EQ(comboItems(*next.eAdresa()), QStringList(2, QStringLiteral("http://www.example.cz/")));
}

TEST_F(HyperLinkDialog, AnEmptyAddressIsRefusedAndTheDialogStaysOpen)
{
    editor->setText(QStringLiteral("ab"));
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<THyperLink *>(dialog);
        typeInto(d->eAdresa()->lineEdit(), {});
        click(d->bVlozit());
        EXPECT_TRUE(d->isVisible());
        click(d->bStorno());
    });
    mHyperLink.trigger();
    EXPECT_EQ(editor->text(), "ab");
    EXPECT_EQ(prompter.messageTexts(), QStringList{"Zadejte nějakou stránku"});
    EXPECT_EQ(prompter.calls()[1].messageKind, MessageKind::Plain);
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("Odkazy.INI")))) << "closing by Storno writes the file";
}

TEST_F(HyperLinkDialog, LoadHistoryListsTheBrowsersPagesSortedAndAClickTakesOne)
{
    hyperLink->setBrowserHistory(
        std::make_unique<ListedHistory>(QStringList{"https://b.cz/", "http://a.cz/index.php", "https://b.cz/",
                                                    "ftp://c.cz/", "http://a.cz/%C4%8Dl%C3%A1nek.html"}));
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<THyperLink *>(dialog);
        click(d->Button1());
        QListWidget *list = d->lbHistorie();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), "http://a.cz/článek.html");
        EXPECT_EQ(list->item(1)->text(), "https://b.cz/");
        EXPECT_EQ(list->item(2)->text(), "https://b.cz/");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(d->eAdresa()->currentText(), "http://a.cz/článek.html");
        click(d->bVlozit());
    });
    mHyperLink.trigger();
    EXPECT_EQ(prompter.messageTexts(), QStringList{"Historie byla načtena."});
    EXPECT_EQ(editor->text(), "http://a.cz/článek.html");
}

TEST(VisitedAddresses, TheFilterKeepsPagesOnly)
{
    const struct
    {
        const char *address;
        bool kept;
    } cases[] = {
        {"http://www.seznam.cz/", true},         {"https://example.org/docs/PAGE.HTML", true},
        {"HTTPS://example.org/a.htm", true},     {"http://example.org/a/b", true},
        {"https://example.org/file.pdf", false}, {"https://example.org/a.html?x=1", false},
        {"https://example.org/?", false},        {"ftp://example.org/", false},
        {"file:///home/a.html", false},          {"htt", false},
        {"http://example.org/a.b/c", true},      {"http://example.org\\dir.x\\page", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isPageAddress(QString::fromLatin1(c.address)), c.kept) << c.address;
}

// Browser history databases of both kinds in a temporary home.
class BrowserDatabases : public ::testing::Test
{
protected:
    void makeDatabase(const QString &relative, const char *schema, const QStringList &inserts)
    {
        const QString path = QDir(dir.path()).filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, schema, nullptr, nullptr, nullptr), SQLITE_OK);
        for (const QString &insert : inserts)
            ASSERT_EQ(sqlite3_exec(db, insert.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    void makeFirefox(const QString &relative, const QStringList &urls, bool locked = false)
    {
        QStringList inserts;
        for (const QString &url : urls)
            inserts << QStringLiteral("INSERT INTO moz_places(url, visit_count) VALUES('%1', 1)").arg(url);
        inserts << QStringLiteral("INSERT INTO moz_places(url, visit_count) VALUES('http://bookmark.only/', 0)");
        makeDatabase(relative, "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, visit_count INTEGER)",
                     inserts);
        if (locked)
            QFile::setPermissions(QDir(dir.path()).filePath(relative), QFile::WriteOwner);
    }
    void makeChromium(const QString &relative, const QStringList &urls)
    {
        QStringList inserts;
        for (const QString &url : urls)
            inserts << QStringLiteral("INSERT INTO urls(url) VALUES('%1')").arg(url);
        makeDatabase(relative, "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR)", inserts);
    }
    QString write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = QDir(dir.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(BrowserDatabases, EveryProfileOfEveryBrowserIsRead)
{
    makeFirefox(".mozilla/firefox/ab12.default-release/places.sqlite", {"https://firefox.cz/"});
    makeFirefox(".librewolf/xy.default/places.sqlite", {"https://librewolf.cz/"});
    makeChromium(".config/chromium/Default/History", {"https://chromium.cz/"});
    makeChromium(".config/google-chrome/Profile 1/History", {"https://chrome.cz/"});
    makeChromium(".config/BraveSoftware/Brave-Browser/Default/History", {"https://brave.cz/"});
    QStringList visited = SqliteBrowserHistory(dir.path()).visitedAddresses();
    visited.sort();
    EXPECT_EQ(visited, (QStringList{"https://brave.cz/", "https://chrome.cz/", "https://chromium.cz/",
                                    "https://firefox.cz/", "https://librewolf.cz/"}));
}

TEST_F(BrowserDatabases, ABrowsersLockIsNotInTheWayAndTheDatabaseIsLeftAlone)
{
    makeChromium(".config/chromium/Default/History", {"https://a.cz/"});
    const QString path = QDir(dir.path()).filePath(".config/chromium/Default/History");
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(SqliteBrowserHistory(dir.path()).visitedAddresses(), QStringList{"https://a.cz/"});
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(BrowserDatabases, DamagedOrForeignDatabasesAreSkipped)
{
    makeFirefox(".mozilla/firefox/good.default/places.sqlite", {"https://dobry.cz/"});
    write(".mozilla/firefox/bad.default/places.sqlite", QByteArray("SQLite format 3\0", 16) + QByteArray(3000, '\xFF'));
    write(".config/chromium/Default/History", "not a database at all");
    makeDatabase(".config/chromium/Profile 2/History", "CREATE TABLE other(x)", {});
    QDir().mkpath(QDir(dir.path()).filePath(".config/google-chrome/Default/History"));
    EXPECT_EQ(SqliteBrowserHistory(dir.path()).visitedAddresses(), QStringList{"https://dobry.cz/"});
}

TEST_F(BrowserDatabases, NoBrowserGivesAnEmptyListAndTheMessageStillShows)
{
    EXPECT_TRUE(SqliteBrowserHistory(dir.path()).visitedAddresses().isEmpty());
    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    RichEdit editor;
    THyperLink dialog(editor, prompter);
    dialog.setBrowserHistory(std::make_unique<SqliteBrowserHistory>(dir.path()));
    dialog.lbHistorie()->addItem(QStringLiteral("http://stará.cz/"));
    dialog.Button1Click();
    EXPECT_EQ(dialog.lbHistorie()->count(), 0);
    EXPECT_EQ(prompter.messageTexts(), QStringList{"Historie byla načtena."});
}

// "Cesta k souboru".
class PathDialog : public test::InsertionFixture
{
protected:
    QString history() const
    {
        return QString::fromUtf8(test::readFile(home.filePath(QStringLiteral("Cesta k souboru.INI"))));
    }
};

TEST_F(PathDialog, AChosenPathIsInsertedAndRemembered)
{
    const QString file = writeFile(QStringLiteral("dopis.kora"), "x");
    editor->setText(QStringLiteral("ab"));
    select(1, 0);
    prompter.answerFile(FileChoice{file, 0});
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TCesta *>(dialog);
        EXPECT_EQ(d->windowTitle(), "Cesta k souboru");
        click(d->bVybrat());
        EXPECT_EQ(d->cbCesta()->currentText(), file);
        click(d->bVlozit());
    });
    mCestaKSouboru.trigger();
    EXPECT_EQ(editor->text(), "a" + file + "b");
    EXPECT_EQ(history(), file + "\r\n");
    const auto files = prompter.callsOf(test::PromptCall::Kind::File);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].file.filter, TCesta::kFilter);
}

TEST_F(PathDialog, AnEmptyBoxDeletesTheSelectionAndAppendsAnEmptyLine)
{
    editor->setText(QStringLiteral("a smazat b"));
    select(2, 7);
    prompter.answerDialog([&](QDialog *dialog) { click(static_cast<TCesta *>(dialog)->bVlozit()); });
    mCestaKSouboru.trigger();
    EXPECT_EQ(editor->text(), "a b");
    EXPECT_EQ(history(), "\r\n");
}

// History files that cannot be read as they should still never lose what they hold.
class BadHistoryFiles : public ::testing::Test
{
protected:
    QString write(const QByteArray &bytes)
    {
        QFile file(home.filePath(QStringLiteral("Odkazy.INI")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    test::TemporaryHome home;
    test::ScriptedPrompter prompter;
    RichEdit editor;
};

TEST_F(BadHistoryFiles, ReadableEntriesLoadAndBinaryLinesAreLeftOut)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QStringList entries;
    } cases[] = {
        {"Windows-1250 text", "http://\x9Elu\x9Do.cz/\r\n", {"http://žluťo.cz/"}},
        {"binary lines among good ones",
         QByteArray("http://a.cz/\r\n\x01\x02\x00\x03\r\nhttp://b.cz/\n", 33),
         {"http://a.cz/", "http://b.cz/"}},
        {"a line longer than any address", "http://a.cz/\r\n" + QByteArray(100000, 'x') + "\r\n", {"http://a.cz/"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write(c.bytes);
        THyperLink dialog(editor, prompter);
        EXPECT_EQ(comboItems(*dialog.eAdresa()), c.entries);
    }
}

TEST_F(BadHistoryFiles, AHugeFileLoadsAndIsWrittenBackWhole)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < 10 * 1024 * 1024; ++i)
        bytes += "http://www.example.cz/stranka" + QByteArray::number(i) + ".html\r\n";
    const QString path = write(bytes);
    {
        THyperLink dialog(editor, prompter);
        EXPECT_GT(dialog.eAdresa()->count(), 200000);
        dialog.show();
        dialog.reject();
    }
    EXPECT_EQ(test::readFile(path), bytes);
}

TEST_F(BadHistoryFiles, AFailedWriteLeavesTheOldFileWholeAndSaysSo)
{
    const QByteArray bytes = "http://a.cz/\r\n";
    const QString path = write(bytes);
    // The folder and the file may be read but not written by the user.
    QFile::setPermissions(home.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QTemporaryDir scratch;
    const std::string failure = test::runUnprivileged(scratch.path(), [&]() -> std::string {
        THyperLink dialog(editor, prompter);
        if (comboItems(*dialog.eAdresa()) != QStringList{"http://a.cz/"})
            return "the file was not read";
        dialog.eAdresa()->addItem(QStringLiteral("http://nová.cz/"));
        dialog.reject();
        const auto messages = prompter.callsOf(test::PromptCall::Kind::Message);
        if (messages.size() != 1 || messages[0].messageKind != MessageKind::Error)
            return "no error box";
        return {};
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(test::readFile(path), bytes);
}

// "Text": the preview's text, edits included, replaces the selection.
using FileTextDialog = test::InsertionFixture;

TEST_F(FileTextDialog, ThePreviewsPlainTextWithTheUsersEditsIsInserted)
{
    const QString rtf =
        writeFile(QStringLiteral("zdroj.rtf"), "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9}\\par druh\\'fd}");
    editor->setText(QStringLiteral("[]"));
    select(1, 0);
    prompter.answerFile(FileChoice{rtf, 1});
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TTextSouboru *>(dialog);
        EXPECT_EQ(d->windowTitle(), "Text souboru");
        EXPECT_FALSE(d->bVlozit()->isEnabled());
        click(d->bOtevrit());
        EXPECT_EQ(d->windowTitle(), rtf);
        EXPECT_FALSE(d->RichEdit1()->isReadOnly());
        d->RichEdit1()->setFocus();
        QTest::keyClick(d->RichEdit1(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(d->RichEdit1(), "!");
        click(d->bVlozit());
    });
    Text1.trigger();
    EXPECT_EQ(editor->text(), "[tučné\r\ndruhý!]");
    select(1, 1);
    EXPECT_FALSE(editor->selStyle().testFlag(StyleBold)) << "the preview's format is not carried over";
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::File)[0].file.filter, TTextSouboru::kFilter);

    // "Vložit" stays enabled for later showings.
    prompter.answerDialog(
        [&](QDialog *dialog) { EXPECT_TRUE(static_cast<TTextSouboru *>(dialog)->bVlozit()->isEnabled()); });
    Text1.trigger();
}

TEST_F(FileTextDialog, AnUnreadableFileShowsTheErrorBox)
{
    editor->setText(QStringLiteral("ab"));
    prompter.answerFile(FileChoice{home.filePath(QStringLiteral("není.txt")), 0});
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<TTextSouboru *>(dialog);
        click(d->bOtevrit());
        EXPECT_FALSE(d->bVlozit()->isEnabled());
    });
    Text1.trigger();
    EXPECT_EQ(editor->text(), "ab");
    ASSERT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 1u);
    EXPECT_EQ(prompter.callsOf(test::PromptCall::Kind::Message)[0].messageKind, MessageKind::Error);
}

} // namespace
