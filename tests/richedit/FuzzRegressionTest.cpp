// Inputs the fuzzer found breaking the reader or the round trip through the writer: each must read
// to the end, what the writer makes of it must read back to the same text, and saving that again
// must write the same RTF.
#include "DocumentDump.h"

#include "richedit/RtfWriter.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> fuzzInputs()
{
    const QDir dir(QStringLiteral(KORA_TEST_DATA_DIR "/fuzz"));
    std::vector<std::string> paths;
    for (const QString &name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        paths.push_back(dir.filePath(name).toStdString());
    return paths;
}

std::string testName(const ::testing::TestParamInfo<std::string> &info)
{
    std::string name = QFileInfo(QString::fromStdString(info.param)).completeBaseName().toStdString();
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class FuzzRegressionTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(FuzzRegressionTest, ReadsAndKeepsItsTextThroughTheWriter)
{
    const QByteArray input = kora::test::readFile(QString::fromStdString(GetParam()));
    ASSERT_FALSE(input.isEmpty());
    bool ok = false;
    const auto document = kora::test::readRtf(input, nullptr, &ok);
    ASSERT_TRUE(ok);

    const QByteArray written = kora::rtf::write(*document);
    const auto reread = kora::test::readRtf(written, nullptr, &ok);
    ASSERT_TRUE(ok) << written.toStdString();
    EXPECT_EQ(kora::test::plainText(*reread).toStdString(), kora::test::plainText(*document).toStdString());
    EXPECT_EQ(kora::rtf::write(*reread).toStdString(), written.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzRegressionTest, ::testing::ValuesIn(fuzzInputs()), testName);

} // namespace
