#pragma once

#include "richedit/RtfSink.h"

#include <QPointer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>

#include <unordered_map>

namespace kora {

// Builds a QTextDocument from the RTF reader's events, at a cursor.
class DocumentSink : public rtf::Sink
{
public:
    explicit DocumentSink(const QTextCursor &cursor);

    void text(QStringView text, const rtf::RunFormat &format) override;
    void paragraphBreak(const rtf::ParagraphProperties &format) override;
    void picture(const rtf::Picture &picture, const rtf::RunFormat &format) override;
    void finish(const rtf::ParagraphProperties &format) override;

private:
    const QTextCharFormat &charFormat(const rtf::RunFormat &format);
    void applyParagraph(const rtf::ParagraphProperties &format);
    void setNumbered(const rtf::ParagraphProperties &format);

    QTextCursor m_cursor;
    struct RunFormatHash
    {
        std::size_t operator()(const rtf::RunFormat &format) const;
    };
    static constexpr std::size_t kMaxKeptFormats = 4096;
    std::unordered_map<rtf::RunFormat, QTextCharFormat, RunFormatHash> m_formats;
    rtf::ParagraphProperties m_lastPara;
    QTextBlockFormat m_lastBlockFormat;
    bool m_haveBlockFormat = false;
    std::unordered_map<int, QPointer<QTextList>> m_numberedLists; // by the reader's list id
};

} // namespace kora
