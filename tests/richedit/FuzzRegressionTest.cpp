// Inputs the fuzzer found breaking the reader or the round trip through the writer: each must read
// to the end and finish the document exactly once, what the writer makes of it must read back to
// the same text, and saving that again must write the same RTF.
#include "DocumentDump.h"

#include "richedit/RtfReader.h"
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

// Counts finish() and every event after it.
class FinishCounter : public kora::rtf::Sink
{
public:
    void text(QStringView, const kora::rtf::RunFormat &) override { late += finished; }
    void paragraphBreak(const kora::rtf::ParagraphProperties &) override { late += finished; }
    void picture(const kora::rtf::Picture &, const kora::rtf::RunFormat &) override { late += finished; }
    void finish(const kora::rtf::ParagraphProperties &) override { ++finished; }

    int finished = 0;
    int late = 0;
};

TEST_P(FuzzRegressionTest, ReadsAndKeepsItsTextThroughTheWriter)
{
    const QByteArray input = kora::test::readFile(QString::fromStdString(GetParam()));
    ASSERT_FALSE(input.isEmpty());
    FinishCounter counter;
    ASSERT_TRUE(kora::rtf::read(input, counter).ok());
    EXPECT_EQ(counter.finished, 1);
    EXPECT_EQ(counter.late, 0);
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
