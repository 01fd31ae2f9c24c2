#include "platform/FileTypes.h"
#include "platform/Shortcuts.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kora;

namespace {

QString madeFolder(const QString &path)
{
    QDir().mkpath(path);
    return path;
}

const QString kExecutable = QStringLiteral("/opt/KORA Editor/kora-editor");

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void write(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class DesktopIntegrationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    DesktopPaths paths() const
    {
        return {home.filePath("Plocha"), home.filePath(".local/share"), home.filePath(".config")};
    }

    std::optional<QString> classesValue(const QString &keyPath) const
    {
        const auto key = registry.openKey(Hive::ClassesRoot, keyPath, false);
        return key ? key->readString(QString()) : std::nullopt;
    }

    void setClassesValue(const QString &keyPath, const QString &value)
    {
        ASSERT_TRUE(registry.openKey(Hive::ClassesRoot, keyPath, true)->writeString(QString(), value));
    }

    // What `xdg-mime query default` answers for `type` to a user whose home is the test's.
    QString queryDefault(const QString &type) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        environment.insert(QStringLiteral("HOME"), home.path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
        if (!process.waitForFinished(30000))
            return QStringLiteral("(xdg-mime did not finish)");
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir home;
    Registry registry{madeFolder(home.filePath("config"))};
    FileTypes types{registry, kExecutable, paths()};
};

TEST_F(DesktopIntegrationTest, RegistrationWritesTheOpenCommandOfTheExtensionsType)
{
    QString error;
    ASSERT_TRUE(types.registerExtension(".TXT", &error)) << error.toStdString();
    EXPECT_EQ(classesValue(".TXT"), "TXTfile");
    EXPECT_EQ(classesValue("TXTfile\\DefaultIcon"), kExecutable + ",0");
    EXPECT_EQ(classesValue("TXTfile\\Shell\\Open\\Command"), "\"/opt/KORA Editor/kora-editor\" \"%1\"");

    // A type the extension already names is taken over; its icon stays and its DDE goes.
    setClassesValue(".log", "logfile");
    setClassesValue("logfile\\DefaultIcon", "viewer,3");
    setClassesValue("logfile\\Shell\\Open\\Command", "viewer \"%1\"");
    setClassesValue("logfile\\Shell\\Open\\ddeexec", "[open]");
    ASSERT_TRUE(types.registerExtension(".log", &error)) << error.toStdString();
    EXPECT_EQ(classesValue("logfile\\DefaultIcon"), "viewer,3");
    EXPECT_EQ(classesValue("logfile\\Shell\\Open\\Command"), types.openCommand());
    EXPECT_FALSE(registry.root(Hive::ClassesRoot).keyExists("logfile\\Shell\\Open\\ddeexec"));
}

TEST_F(DesktopIntegrationTest, UnregisteringTakesBackOnlyTheProgramsOwnCommand)
{
    QString error;
    ASSERT_TRUE(types.registerExtension(".kora", &error)) << error.toStdString();
    ASSERT_TRUE(types.unregisterExtension(".kora", &error)) << error.toStdString();
    const RegistryKey root = registry.root(Hive::ClassesRoot);
    EXPECT_FALSE(root.keyExists("korafile\\Shell\\Open\\Command"));
    EXPECT_EQ(classesValue("korafile\\DefaultIcon"), kExecutable + ",0") << "the icon is never removed";

    // Another program's opener stays; an extension never registered gains no keys.
    setClassesValue(".ini", "inifile");
    setClassesValue("inifile\\Shell\\Open\\Command", "notepad \"%1\"");
    ASSERT_TRUE(types.unregisterExtension(".ini", &error));
    EXPECT_EQ(classesValue("inifile\\Shell\\Open\\Command"), "notepad \"%1\"");
    ASSERT_TRUE(types.unregisterExtension(".rtf", &error));
    EXPECT_FALSE(root.keyExists(".rtf"));
    EXPECT_FALSE(root.keyExists("rtffile"));
}

TEST_F(DesktopIntegrationTest, TheDesktopOpensRegisteredTypesWithTheProgram)
{
    write(types.mimeAppsPath(), "[Default Applications]\n"
                                "text/html=browser.desktop;\n"
                                "\n"
                                "[Added Associations]\n"
                                "text/plain=gedit.desktop;\n");
    write(home.filePath(".local/share/applications/browser.desktop"),
          "[Desktop Entry]\nType=Application\nName=B\nExec=/bin/true %u\nMimeType=text/html;\n");

    QString error;
    ASSERT_TRUE(types.registerExtension(".TXT", &error)) << error.toStdString();
    ASSERT_TRUE(types.registerExtension(".kora", &error)) << error.toStdString();
    EXPECT_EQ(queryDefault("text/plain"), "kora-editor.desktop");
    EXPECT_EQ(queryDefault(FileTypes::kKoraMimeType), "kora-editor.desktop");
    EXPECT_EQ(queryDefault("text/html"), "browser.desktop");
    EXPECT_EQ(types.registeredMimeTypes(), QStringList({"text/plain", FileTypes::kKoraMimeType}));
    EXPECT_TRUE(read(types.mimePackagePath()).contains("<glob pattern=\"*.kora\"/>"));
    EXPECT_TRUE(QFile::exists(home.filePath(".local/share/mime/mime.cache"))) << "the desktop's database was rebuilt";

    ASSERT_TRUE(types.unregisterExtension(".txt", &error)) << error.toStdString();
    EXPECT_NE(queryDefault("text/plain"), "kora-editor.desktop");
    EXPECT_EQ(queryDefault(FileTypes::kKoraMimeType), "kora-editor.desktop");
    EXPECT_EQ(queryDefault("text/html"), "browser.desktop");
    EXPECT_EQ(read(types.mimeAppsPath()), "[Default Applications]\n"
                                          "text/html=browser.desktop;\n"
                                          "application/x-kora=kora-editor.desktop;\n"
                                          "\n"
                                          "[Added Associations]\n"
                                          "text/plain=gedit.desktop;\n"
                                          "application/x-kora=kora-editor.desktop;\n");
}

TEST_F(DesktopIntegrationTest, AnExtensionTheSystemDoesNotKnowGetsATypeOfItsOwn)
{
    EXPECT_EQ(types.mimeTypeFor(".TXT"), "text/plain");
    EXPECT_EQ(types.mimeTypeFor(".Y.QQZ"), "application/x-kora-y.qqz");
    QString error;
    ASSERT_TRUE(types.registerExtension(".QQZ", &error)) << error.toStdString();
    EXPECT_EQ(classesValue(".QQZ"), "QQZfile");
    EXPECT_TRUE(read(types.mimePackagePath()).contains("<glob pattern=\"*.qqz\"/>"));
    EXPECT_EQ(queryDefault("application/x-kora-qqz"), "kora-editor.desktop");
}

TEST_F(DesktopIntegrationTest, LaunchersOnTheDesktopAndInTheMenu)
{
    const Shortcuts shortcuts(kExecutable, paths());
    QString error;
    ASSERT_TRUE(shortcuts.createOnDesktop(&error)) << error.toStdString();
    ASSERT_TRUE(shortcuts.createInApplicationsMenu(&error)) << error.toStdString();
    EXPECT_EQ(shortcuts.desktopLauncherPath(), home.filePath("Plocha/KORA Editor.desktop"));
    EXPECT_EQ(shortcuts.menuLauncherPath(), home.filePath(".local/share/applications/KORA Editor.desktop"));
    for (const QString &path : {shortcuts.desktopLauncherPath(), shortcuts.menuLauncherPath()}) {
        const QByteArray entry = read(path);
        EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n")) << entry.toStdString();
        EXPECT_TRUE(entry.contains("\nName=KORA Editor\n"));
        EXPECT_TRUE(entry.contains("\nExec=\"/opt/KORA Editor/kora-editor\" %f\n"));
        EXPECT_TRUE(entry.contains("\nPath=/opt/KORA Editor\n"));
        EXPECT_FALSE(entry.contains("NoDisplay"));
        EXPECT_TRUE(QFile::permissions(path) & QFile::ExeOwner);
    }
}

TEST_F(DesktopIntegrationTest, ALauncherThatCannotBeWrittenIsAFailure)
{
    write(home.filePath("Plocha"), "a file where the folder should be");
    const Shortcuts shortcuts(kExecutable, paths());
    QString error;
    EXPECT_FALSE(shortcuts.createOnDesktop(&error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DesktopIntegrationTest, TheDesktopFolderIsTheOneTheUsersFoldersName)
{
    // The folder is asked for when a launcher is made, not when the paths are read.
    write(home.filePath(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Pracovní plocha\"\n");
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    const DesktopPaths fromEnvironment = DesktopPaths::fromEnvironment();
    const Shortcuts shortcuts(kExecutable, fromEnvironment);
    QString error;
    const bool created = shortcuts.createOnDesktop(&error);
    const QString launcher = shortcuts.desktopLauncherPath();
    qputenv("HOME", oldHome);
    if (!oldConfig.isEmpty())
        qputenv("XDG_CONFIG_HOME", oldConfig);

    EXPECT_TRUE(fromEnvironment.desktop.isEmpty());
    EXPECT_TRUE(created) << error.toStdString();
    EXPECT_EQ(launcher, home.filePath("Pracovní plocha/KORA Editor.desktop"));
    EXPECT_TRUE(QFile::exists(launcher));
}

TEST(DesktopEntry, ExecArgumentsAreQuotedAsTheFormatWants)
{
    EXPECT_EQ(execArgument("/a b/c"), "\"/a b/c\"");
    EXPECT_EQ(execArgument("/x\"$`\\%y"), "\"/x\\\"\\$\\`\\\\%%y\"");
}

} // namespace
