#pragma once

#include <QString>
#include <QStringView>

namespace kora::search {

struct SearchOptions
{
    bool matchCase = false;
    bool wholeWord = false;
};

// Looks for one text in paragraphs. Without match case, letters match their other case by
// Unicode case folding, so "kůň" finds "KŮŇ". A whole word is a match with no word character
// (as the status bar counts words) right before or after it.
class TextMatcher
{
public:
    TextMatcher(QString text, SearchOptions options);

    const QString &text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }

    // The first match that starts at or after `from`, or -1. An empty text matches nothing.
    qsizetype indexIn(QStringView text, qsizetype from = 0) const;
    // The last match that ends at or before `end`, or -1.
    qsizetype lastIndexIn(QStringView text, qsizetype end) const;

private:
    bool isWholeWordAt(QStringView text, qsizetype index) const;

    QString m_text;
    SearchOptions m_options;
};

} // namespace kora::search
