#include "platform/AppDirs.h"

#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

// Sets the variables for one test and puts the old values back afterwards.
class AppDirs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : kVariables)
            m_saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        for (const char *name : kVariables)
            qunsetenv(name);
    }

    void TearDown() override
    {
        for (size_t i = 0; i < std::size(kVariables); ++i) {
            if (m_saved[i])
                qputenv(kVariables[i], *m_saved[i]);
            else
                qunsetenv(kVariables[i]);
        }
    }

    static void set(const char *name, const QString &value) { qputenv(name, QFile::encodeName(value)); }

    QTemporaryDir temp;

private:
    static constexpr const char *kVariables[] = {"KORA_HOME",       "KORA_CONFIG_DIR", "KORA_CACHE_DIR",
                                                 "XDG_CONFIG_HOME", "XDG_DATA_HOME",   "XDG_CACHE_HOME"};
    std::vector<std::optional<QByteArray>> m_saved;
};

} // namespace

TEST_F(AppDirs, OverridesAreCreatedAndReturnedClean)
{
    struct Case
    {
        const char *variable;
        QString value; // relative to the temporary folder
        std::function<QString()> folder;
        QString expected;
    };
    const Case cases[] = {
        {"KORA_HOME", "domov", kora::AppDirs::dataDir, "domov"},
        {"KORA_HOME", "nová složka/hluboko/", kora::AppDirs::dataDir, "nová složka/hluboko"},
        {"KORA_HOME", "a/../b", kora::AppDirs::dataDir, "b"},
        {"KORA_CONFIG_DIR", "nastavení", kora::AppDirs::configDir, "nastavení"},
        {"XDG_CONFIG_HOME", "xdg", kora::AppDirs::configDir, "xdg/kora-editor"},
        {"KORA_CACHE_DIR", "mezipaměť", kora::AppDirs::cacheDir, "mezipaměť"},
        {"XDG_CACHE_HOME", "cache", kora::AppDirs::cacheDir, "cache/kora-editor"},
    };
    for (const Case &c : cases) {
        set(c.variable, temp.filePath(c.value));
        const QString expected = temp.filePath(c.expected);
        EXPECT_EQ(c.folder(), expected) << c.variable << "=" << c.value.toStdString();
        EXPECT_TRUE(QFileInfo(expected).isDir()) << expected.toStdString();
        qunsetenv(c.variable);
    }
}

TEST_F(AppDirs, DataFilesLieBesideTheWritableExecutableUnlessKoraHomeIsSet)
{
    EXPECT_EQ(kora::AppDirs::dataDir(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(kora::AppDirs::filePath(QStringLiteral("historie.ini")),
              QCoreApplication::applicationDirPath() + QStringLiteral("/historie.ini"));

    set("KORA_HOME", temp.path());
    EXPECT_EQ(kora::AppDirs::filePath(QStringLiteral("slovník.dic")), temp.filePath(QStringLiteral("slovník.dic")));
    set("XDG_DATA_HOME", temp.filePath(QStringLiteral("jinde")));
    EXPECT_EQ(kora::AppDirs::dataDir(), temp.path()) << "KORA_HOME comes first";
}

TEST_F(AppDirs, ConfigOverrideWinsOverXdg)
{
    set("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("xdg")));
    set("KORA_CONFIG_DIR", temp.filePath(QStringLiteral("vlastní")));
    EXPECT_EQ(kora::AppDirs::configDir(), temp.filePath(QStringLiteral("vlastní")));
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("xdg/kora-editor"))));
}

TEST_F(AppDirs, ShippedFilesAreFoundInTheUsersFolderBesideTheProgramOrInTheInstalledData)
{
    // Files beside the test program and in its installed-data folder, named for this run alone.
    const QString name = QStringLiteral("slovník-%1.dic").arg(QCoreApplication::applicationPid());
    const QDir executableDir(QCoreApplication::applicationDirPath());
    const QString beside = executableDir.filePath(name);
    const QString installedDir = QDir::cleanPath(executableDir.filePath(QStringLiteral("../share/kora-editor")));
    const QString installed = installedDir + QLatin1Char('/') + name;
    // The first folder of that path this test creates goes again at the end.
    QString created;
    for (const QString &folder : {QFileInfo(installedDir).path(), installedDir}) {
        if (created.isEmpty() && !QFileInfo::exists(folder))
            created = folder;
    }
    ASSERT_TRUE(QDir().mkpath(installedDir));
    const auto touch = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    };
    set("KORA_HOME", temp.filePath(QStringLiteral("domov")));
    const QString own = temp.filePath(QStringLiteral("domov/") + name);

    EXPECT_EQ(kora::AppDirs::shippedFilePath(name), own) << "none there: the user's own place";
    ASSERT_TRUE(touch(installed));
    EXPECT_EQ(kora::AppDirs::shippedFilePath(name), installed);
    ASSERT_TRUE(touch(beside));
    EXPECT_EQ(kora::AppDirs::shippedFilePath(name), beside) << "beside the program before the installed data";
    ASSERT_TRUE(touch(own));
    EXPECT_EQ(kora::AppDirs::shippedFilePath(name), own) << "the user's own copy first";

    QFile::remove(beside);
    QFile::remove(installed);
    if (!created.isEmpty())
        QDir(created).removeRecursively();
}
