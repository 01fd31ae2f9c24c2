#include "platform/FileTypes.h"
#include "platform/Shortcuts.h"
#include "settings/Registry.h"
#include "support/ScriptedPrompter.h"
#include "tools/options/ProgramPage.h"
#include "tools/options/Treg.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kora;
using test::PromptCall;

namespace {

QString madeFolder(const QString &path)
{
    QDir().mkpath(path);
    return path;
}

const QString kExecutable = QStringLiteral("/opt/kora/kora-editor");

class ProgramOptionsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    DesktopPaths paths() const
    {
        return {home.filePath("Plocha"), home.filePath(".local/share"), home.filePath(".config")};
    }
    QString typesFile() const { return home.filePath("Typy.INI"); }

    void click(QWidget &parent, const char *name)
    {
        auto *button = parent.findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The open command the emulated classes root holds for `extension`, or nothing.
    std::optional<QString> command(const QString &extension) const
    {
        const auto extensionKey = registry.openKey(Hive::ClassesRoot, extension, false);
        const auto type = extensionKey ? extensionKey->readString(QString()) : std::nullopt;
        if (!type)
            return std::nullopt;
        const auto key = registry.openKey(Hive::ClassesRoot, *type + "\\Shell\\Open\\Command", false);
        return key ? key->readString(QString()) : std::nullopt;
    }

    void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir home;
    Registry registry{madeFolder(home.filePath("config"))};
    FileTypes fileTypes{registry, kExecutable, paths()};
    Shortcuts shortcuts{kExecutable, paths()};
    test::ScriptedPrompter prompter;
};

struct TypeButtonCase
{
    const char *button;
    const char *extension;
    bool registered;
    const char *message;
};

const TypeButtonCase kTypeButtons[] = {
    {"Button4", ".txt", true, "Automaticky otevírám soubory typu *.TXT"},
    {"Button6", ".log", true, "Automaticky otevírám soubory typu *.LOG"},
    {"Button7", ".kora", true, "Automaticky otevírám soubory typu *.KORA"},
    {"Button8", ".rtf", true, "Automaticky otevírám soubory typu *.RTF"},
    {"Button5", ".ini", true, "Automaticky otevírám soubory typu *.INI"},
    {"Button9", ".txt", false, "Zrušeno automaticky otevírání souborů typu *.TXT"},
    {"Button10", ".log", false, "Zrušeno automaticky otevírání souborů typu *.LOG"},
    {"Button11", ".kora", false, "Zrušeno automaticky otevírání souborů typu *.kora"},
    {"Button12", ".rtf", false, "Zrušeno automaticky otevírání souborů typu *.rtf"},
    {"Button13", ".ini", false, "Zrušeno automaticky otevírání souborů typu *.ini"},
};

TEST_F(ProgramOptionsTest, EveryTypeButtonDoesWhatItsMessageSays)
{
    Treg reg(fileTypes, prompter, typesFile());
    ProgramPage page(fileTypes, shortcuts, prompter, reg);
    page.show();
    // The register buttons first, then the unregister buttons, in table order.
    for (const TypeButtonCase &row : kTypeButtons) {
        SCOPED_TRACE(row.button);
        prompter.clearCalls();
        click(page, row.button);
        ASSERT_EQ(prompter.calls().size(), 1u);
        EXPECT_EQ(prompter.calls()[0].messageKind, MessageKind::Information);
        EXPECT_EQ(prompter.calls()[0].text, QString::fromUtf8(row.message));
        EXPECT_EQ(command(QString::fromLatin1(row.extension)).has_value(), row.registered);
        EXPECT_EQ(fileTypes.registeredMimeTypes().contains(fileTypes.mimeTypeFor(row.extension)), row.registered);
    }
}

TEST_F(ProgramOptionsTest, LaunchersReportSuccessOnlyWhenWritten)
{
    Treg reg(fileTypes, prompter, typesFile());
    ProgramPage page(fileTypes, shortcuts, prompter, reg);
    click(page, "Button23");
    click(page, "Button3");
    EXPECT_EQ(prompter.messageTexts(),
              QStringList({"Zástupce na Ploše byl úspěšně vytvořen", "Zástupce v nabídce start byl úspěšně vytvořen"}));
    EXPECT_TRUE(QFile::exists(shortcuts.desktopLauncherPath()));
    EXPECT_TRUE(QFile::exists(shortcuts.menuLauncherPath()));

    // The desktop folder cannot be made: an error, no success.
    QDir(home.filePath("Plocha")).removeRecursively();
    QFile blocker(home.filePath("Plocha"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    prompter.clearCalls();
    click(page, "Button23");
    ASSERT_EQ(prompter.calls().size(), 1u);
    EXPECT_EQ(prompter.calls()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(prompter.calls()[0].title, "KORA Editor");
}

TEST_F(ProgramOptionsTest, CustomRegistrationButtonShowsTheDialog)
{
    Treg reg(fileTypes, prompter, typesFile());
    ProgramPage page(fileTypes, shortcuts, prompter, reg);
    click(page, "Button14");
    EXPECT_EQ(prompter.dialogNames(), QStringList{"reg"});
}

TEST_F(ProgramOptionsTest, CustomRegistrationAddsListsAndRemovesExtensions)
{
    Treg reg(fileTypes, prompter, typesFile());
    EXPECT_EQ(reg.windowTitle(), "Vlastní registrace");
    reg.show();
    reg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&reg));
    auto *edit = reg.findChild<QLineEdit *>("eTyp");
    auto *list = reg.findChild<QListWidget *>("lbTyp");

    typeInto(edit, ".doc");
    QTest::keyClick(edit, Qt::Key_Return); // "Přidat" is the default button
    EXPECT_EQ(reg.entries(), QStringList{"DOC"});
    EXPECT_EQ(registry.openKey(Hive::ClassesRoot, ".DOC", false)->readString(QString()), "DOCfile");
    EXPECT_EQ(command(".doc"), fileTypes.openCommand());
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(edit->hasFocus());

    typeInto(edit, "x.y.z");
    click(reg, "bPridej");
    typeInto(edit, "doc");
    click(reg, "bPridej");
    typeInto(edit, "x.");
    click(reg, "bPridej");
    EXPECT_EQ(reg.entries(), QStringList({"DOC", "Y.Z"})) << "no duplicates, nothing empty";
    EXPECT_TRUE(edit->text().isEmpty());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(edit->text(), "DOC");
    click(reg, "bSmazat");
    EXPECT_EQ(reg.entries(), QStringList{"Y.Z"});
    EXPECT_FALSE(command(".doc").has_value());
    EXPECT_TRUE(prompter.messageTexts().isEmpty()) << "the dialog itself reports only failures";

    // "Zrušit" writes nothing; "Ok" writes the list.
    click(reg, "bZrusit");
    EXPECT_FALSE(QFile::exists(typesFile()));
    EXPECT_EQ(reg.entries(), QStringList{"Y.Z"});
    reg.show();
    click(reg, "bOk");
    QFile file(typesFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Y.Z\r\n");
    EXPECT_FALSE(reg.isVisible());

    Treg again(fileTypes, prompter, typesFile());
    EXPECT_EQ(again.entries(), QStringList{"Y.Z"}) << "loaded when created";
}

} // namespace
