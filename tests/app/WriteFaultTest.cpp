// Every file the program writes, written while something goes wrong: the disk is full, the file
// is read-only, its folder cannot exist, or the writer is killed in the middle. Afterwards the
// file is always the old version or the new one, never a mix, and the writer says what failed.
#include "app/recovery/RecoveryStore.h"
#include "richedit/DocumentCodec.h"
#include "richedit/RichEdit.h"
#include "settings/Registry.h"
#include "support/TemporaryHome.h"
#include "text/HistoryListFile.h"
#include "tools/spell/UserWordList.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kora;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Text of version 1 (short) or 2 (longer than the size limit of a full disk).
QString versionText(int version)
{
    return version == 1 ? QStringLiteral("stará verze") : QStringLiteral("nová verze ").repeated(2000);
}

// One of the program's writers, writing version 1 or 2 of its file into a folder.
struct Writer
{
    const char *name;
    std::function<QString(const QString &folder)> target;
    std::function<bool(const QString &folder, int version, QString *error)> write;
};

std::function<QString(const QString &)> named(const QString &fileName)
{
    return [fileName](const QString &folder) { return folder + '/' + fileName; };
}

std::vector<Writer> writers()
{
    // One store per folder, as one running program keeps one.
    auto stores = std::make_shared<std::map<QString, std::unique_ptr<RecoveryStore>>>();
    const auto store = [stores](const QString &folder) -> RecoveryStore & {
        std::unique_ptr<RecoveryStore> &kept = (*stores)[folder];
        if (!kept)
            kept = std::make_unique<RecoveryStore>(folder);
        return *kept;
    };
    return {
        {"document", named("dopis.rtf"),
         [](const QString &folder, int version, QString *error) {
             RichEdit editor;
             editor.setText(versionText(version));
             return editor.saveToFile(folder + "/dopis.rtf", error);
         }},
        {"settings", named("HKEY_CURRENT_USER.reg"),
         [](const QString &folder, int version, QString *error) {
             qputenv("KORA_CONFIG_DIR", QFile::encodeName(folder));
             Registry registry;
             const std::optional<RegistryKey> key =
                 registry.openKey(Hive::CurrentUser, "Software\\Lumasoft\\KORA Editor\\Form1", true, error);
             return key && key->writeString("Text", versionText(version), error);
         }},
        {"history list", named("Odkazy.INI"),
         [](const QString &folder, int version, QString *error) {
             HistoryListFile list(folder + "/Odkazy.INI");
             list.setEntries({versionText(version)});
             return list.save(error);
         }},
        {"user dictionary", named("englishuser.dic"),
         [](const QString &folder, int version, QString *error) {
             spell::UserWordList words;
             words.load(folder + "/englishuser.dic");
             for (int i = 0; i < (version == 1 ? 1 : 300); ++i)
                 words.add(QStringLiteral("slovíčko-%1-verze-%2").arg(i).arg(version));
             return words.save(error);
         }},
        {"recovery copy", [store](const QString &folder) { return store(folder).copyPath(store(folder).id()); },
         [store](const QString &folder, int version, QString *error) {
             RecoveryCopy copy;
             copy.rtf = versionText(version).toUtf8();
             return store(folder).write(copy, error);
         }},
    };
}

class WriteFaultTest : public ::testing::Test
{
protected:
    WriteFaultTest() { signal(SIGXFSZ, SIG_IGN); }

    test::TemporaryHome home;
};

TEST_F(WriteFaultTest, EveryWriterKeepsTheOldFileAndSaysWhatFailed)
{
    enum class Fault { FullDisk, ReadOnlyTarget, FolderCannotExist };
    const std::pair<const char *, Fault> faults[] = {
        {"full disk", Fault::FullDisk},
        {"read-only target", Fault::ReadOnlyTarget},
        {"folder cannot exist", Fault::FolderCannotExist},
    };
    for (const Writer &writer : writers()) {
        for (const auto &[faultName, fault] : faults) {
            SCOPED_TRACE(std::string(writer.name) + ", " + faultName);
            const QString folder = home.filePath(QStringLiteral("%1-%2").arg(writer.name, faultName));
            QDir().mkpath(folder);
            QString error;
            if (fault == Fault::FolderCannotExist) {
                QFile blocker(folder + "/blocker");
                ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
                EXPECT_FALSE(writer.write(folder + "/blocker/sub", 2, &error));
                EXPECT_FALSE(error.isEmpty());
                EXPECT_FALSE(QFile::exists(writer.target(folder + "/blocker/sub")));
                continue;
            }
            const QString target = writer.target(folder);
            ASSERT_TRUE(writer.write(folder, 1, &error)) << error.toStdString();
            const QByteArray old = contents(target);
            bool written = false;
            if (fault == Fault::FullDisk) {
                rlimit saved{};
                getrlimit(RLIMIT_FSIZE, &saved);
                rlimit small = saved;
                small.rlim_cur = 4096;
                setrlimit(RLIMIT_FSIZE, &small);
                written = writer.write(folder, 2, &error);
                setrlimit(RLIMIT_FSIZE, &saved);
            } else {
                QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);
                written = writer.write(folder, 2, &error);
            }
            EXPECT_FALSE(written);
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(contents(target), old);
        }
    }
}

TEST_F(WriteFaultTest, AWriterKilledWhileSavingLeavesTheOldOrTheNewDocument)
{
    // Two 10 MB documents, saved in turn by a child process that is killed at random instants.
    const QString path = home.filePath("big.rtf");
    QByteArray versions[2];
    for (int i = 0; i < 2; ++i)
        versions[i] = "{\\rtf1 " + QByteArray(10 << 20, char('a' + i)) + "}";
    ASSERT_TRUE(documentcodec::saveFile(path, versions[0], nullptr));
    std::mt19937 random(17);
    std::uniform_int_distribution<int> instant(0, 400);
    int mixed = 0;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; ++i)
                documentcodec::saveFile(path, versions[i % 2], nullptr);
        }
        usleep(useconds_t(instant(random)) * 1000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray now = contents(path);
        if (now != versions[0] && now != versions[1])
            ++mixed;
    }
    EXPECT_EQ(mixed, 0) << "rounds that left neither version";
}

} // namespace
