#include "text/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/QtPrinters.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace kora;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST(SafeSave, ReplacesTheFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.rtf");
    write(path, "old");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QFile::setPermissions(path, permissions);
    QString error;
    ASSERT_TRUE(saveFileSafely(path, "new", "failed", &error)) << error.toStdString();
    EXPECT_EQ(contents(path), "new");
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, permissions & ownerGroupOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"doc.rtf"}) << "no temporary file left";
}

TEST(SafeSave, FailuresLeaveTheOldFileIntactAndNameTheFile)
{
    QTemporaryDir dir;
    const QString readOnly = dir.filePath("readonly.txt");
    write(readOnly, "keep me");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    QString error;
    EXPECT_FALSE(saveFileSafely(readOnly, "lost", "failed", &error));
    EXPECT_EQ(contents(readOnly), "keep me");
    EXPECT_TRUE(error.contains("readonly.txt")) << error.toStdString();

    EXPECT_FALSE(saveFileSafely(dir.filePath("missing/x.txt"), "x", "failed", &error));
    EXPECT_TRUE(error.contains("missing")) << error.toStdString();

    EXPECT_FALSE(saveFileSafely(dir.path(), "x", "failed", &error)) << "a folder is not a file";
    EXPECT_FALSE(saveFileSafely("/proc/kora-editor-test.rtf", "x", "failed", &error)) << "a folder nobody may write";
    EXPECT_TRUE(error.contains("kora-editor-test.rtf")) << error.toStdString();
}

TEST(SafeSave, WriteFailureLikeAFullDiskKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.rtf");
    write(path, "old");
    // A file-size limit makes writes fail the way a full disk does.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool ok = saveFileSafely(path, QByteArray(1 << 20, 'x'), "Failed to Save Stream", &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, "Failed to Save Stream");
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"big.rtf"}) << "the temporary file is removed";
}

TEST(SafeSave, UnwritableFolderKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.kora");
    write(path, "old");
    const std::string failure = test::runUnprivileged(dir.path(), [&]() -> std::string {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QString error;
        const bool saved = saveFileSafely(path, "new", "failed", &error);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (saved)
            return "saved into a folder without write permission";
        if (contents(path) != "old")
            return "the old file changed";
        if (!error.contains("doc.kora"))
            return "the message names no file: " + error.toStdString();
        return {};
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(contents(path), "old");
}

TEST(SafeSave, ReadErrorsNameTheFile)
{
    QByteArray data;
    QString error;
    EXPECT_FALSE(readWholeFile("/nonexistent/dir/file.rtf", &data, &error));
    EXPECT_TRUE(error.contains("file.rtf")) << error.toStdString();
    QTemporaryDir dir;
    EXPECT_FALSE(readWholeFile(dir.path(), &data, &error));
}
