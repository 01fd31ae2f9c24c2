// Checks that another word processor reads what we write with the same text.
#include "DocumentDump.h"

#include "richedit/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kora;

TEST(Interop, OfficeSuiteReadsOurRtfWithTheSameText)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed";
    const auto document = test::readRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 P\\'f8\\'edli\\'9a {\\b \\'9elu\\'9dou\\'e8k\\'fd} k\\'f9\\'f2"
        "\\par {\\i \\u1046?\\u1080?\\u1079?\\u1085?\\u1100?} \\{x\\}\\par{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt}item\\par}");
    QTemporaryDir dir;
    const QString rtfPath = dir.filePath("ours.rtf");
    QFile rtf(rtfPath);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(rtf::write(*document));
    rtf.close();

    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                            "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(), rtfPath});
    ASSERT_TRUE(process.waitForFinished(180000));
    QFile txt(dir.filePath("ours.txt"));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    QString converted = QString::fromUtf8(txt.readAll());
    converted.remove(QChar(0xFEFF));
    const QStringList theirs = converted.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QString ourText = test::plainText(*document);
    const QStringList ours = ourText.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QStringList theirsWithoutBullets = theirs;
    theirsWithoutBullets.removeAll(QString(QChar(0x2022)));
    theirsWithoutBullets.removeAll(QString(QChar(0xF0B7)));
    theirsWithoutBullets.removeAll(QString(QChar(0xB7)));
    EXPECT_EQ(theirsWithoutBullets, ours) << converted.toStdString();
}
