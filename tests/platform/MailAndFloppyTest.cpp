#include "platform/MailClient.h"
#include "platform/MediaFloppyDrive.h"
#include "platform/XdgMailClient.h"
#include "support/TemporaryHome.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kora {
namespace {

using test::ScopedVariable;

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A stand-in "xdg-email" first on PATH: it records its arguments and exits with $KORA_STUB_EXIT.
class XdgEmail : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString stub = bin.filePath(QStringLiteral("xdg-email"));
        write(stub, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$KORA_STUB_LOG\"\n"
                    "exit ${KORA_STUB_EXIT:-0}\n");
        QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        attachment = files.filePath(QStringLiteral("bez_nazvu.rtf"));
        write(attachment, "{\\rtf1 text}");
    }

    // The arguments the stub was called with; empty when it did not run.
    QStringList arguments() const
    {
        QStringList list = QString::fromUtf8(read(log)).split(QChar(0));
        if (!list.isEmpty())
            list.removeLast();
        return list;
    }

    QTemporaryDir bin;
    QTemporaryDir files;
    QString log = files.filePath(QStringLiteral("arguments"));
    QString attachment;
    ScopedVariable path{"PATH", bin.path() + QStringLiteral(":") + qEnvironmentVariable("PATH")};
    ScopedVariable logVariable{"KORA_STUB_LOG", log};
    XdgMailClient client{files.path()};
};

TEST_F(XdgEmail, PassesBodyAndAttachmentsAndMapsEveryExitStatus)
{
    struct Case
    {
        const char *name;
        int exit;
        int code;
        const char *error;
    };
    const Case cases[] = {
        {"handed over", 0, 0, ""},
        {"bad arguments", 1, 2, "MAPI Error: (2) \"General MAPI failure\""},
        {"a file went missing", 2, 11, "MAPI Error: (11) \"A specified attachment was not found\""},
        {"no mail client", 3, 3, "MAPI Error: (3) \"MAPI login failure\""},
        {"the client failed", 4, 2, "MAPI Error: (2) \"General MAPI failure\""},
        {"a file not readable", 5, 12, "MAPI Error: (12) \"Attachment open failure\""},
    };
    for (const Case &c : cases) {
        const ScopedVariable exit("KORA_STUB_EXIT", QString::number(c.exit));
        QFile::remove(log);
        const MailResult result = client.compose({QString(), QStringLiteral("Dobrý den,\r\nřádek"), {attachment}});
        EXPECT_EQ(result.code, c.code) << c.name;
        EXPECT_EQ(result.error.toStdString(), c.error) << c.name;
        EXPECT_EQ(arguments(),
                  (QStringList{"--utf8", "--body", QStringLiteral("Dobrý den,\r\nřádek"), "--attach", attachment}))
            << c.name;
    }
}

TEST_F(XdgEmail, AMissingAttachmentOrProgramIsReportedWithoutSending)
{
    const QString gone = files.filePath(QStringLiteral("gone.rtf"));
    MailResult result = client.compose({QString(), QString(), {gone}});
    EXPECT_EQ(result.error, QStringLiteral("Attached file \"%1\" not found").arg(gone));
    EXPECT_TRUE(arguments().isEmpty()) << "nothing is handed over";

    XdgMailClient missing(files.path(), bin.filePath(QStringLiteral("no-such-mailer")));
    result = missing.compose({QString(), QStringLiteral("text"), {}});
    EXPECT_EQ(result.code, MailResult::kNotStarted);
    EXPECT_TRUE(result.error.contains(QStringLiteral("no-such-mailer"))) << result.error.toStdString();
}

TEST_F(XdgEmail, ALongBodyTravelsAsAnAttachedTextFile)
{
    const QString body = QString(XdgMailClient::kMaxBodyBytes, QLatin1Char('a')) + QStringLiteral("\r\nkonec č");
    const MailResult result = client.compose({QString(), body, {attachment}});
    EXPECT_EQ(result.code, 0) << result.error.toStdString();
    const QString spilled = files.filePath(XdgMailClient::kBodyFileName);
    EXPECT_EQ(read(spilled), body.toUtf8());
    const QStringList args = arguments();
    ASSERT_EQ(args.size(), 7);
    EXPECT_TRUE(args[2].contains(XdgMailClient::kBodyFileName)) << "the body says where the text is";
    EXPECT_EQ(args.mid(3), (QStringList{"--attach", spilled, "--attach", attachment}));
}

TEST(MailErrorText, DescribesKnownCodesAndLeavesOthersEmpty)
{
    EXPECT_EQ(mailErrorText(26), QStringLiteral("MAPI Error: (26) \"Not supported\""));
    EXPECT_EQ(mailErrorText(7), QStringLiteral("MAPI Error: (7) \"\""));
    EXPECT_EQ(mailErrorText(27), QStringLiteral("MAPI Error: (27) \"\""));
    EXPECT_EQ(mailErrorText(1), QStringLiteral("MAPI Error: (1) \"\""));
}

TEST(FloppyDrive, IsTheChosenFolderAndNothingWhenItIsMissing)
{
    QTemporaryDir dir;
    {
        const ScopedVariable chosen("KORA_FLOPPY_DIR", dir.filePath(QStringLiteral(".")));
        EXPECT_EQ(MediaFloppyDrive().folder(), dir.path());
    }
    const ScopedVariable chosen("KORA_FLOPPY_DIR", dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(MediaFloppyDrive().folder(), std::nullopt);
    write(dir.filePath(QStringLiteral("file")), "x");
    const ScopedVariable file("KORA_FLOPPY_DIR", dir.filePath(QStringLiteral("file")));
    EXPECT_EQ(MediaFloppyDrive().folder(), std::nullopt) << "a file is no medium";
}

} // namespace
} // namespace kora
