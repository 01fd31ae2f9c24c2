#pragma once

#include <QObject>
#include <QPointer>
#include <QStringView>
#include <QTextDocument>

#include <vector>

namespace kora {

struct LinkSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const LinkSpan &) const = default;
};

// Addresses in a paragraph's text: http://, https://, ftp://, www., mailto: and file:,
// up to the next blank, without trailing punctuation.
std::vector<LinkSpan> findLinks(QStringView text);

// Shows detected addresses as links, blue and underlined, as formats of the paragraphs' layouts.
// It only paints: the document, its undo history and its modified flag stay as they are. Unlike a
// syntax highlighter it never lays out a paragraph just to mark it: paragraphs not yet laid out get
// their formats for when they are, so opening a long document with links stays quick.
class LinkHighlighter : public QObject
{
    Q_OBJECT
public:
    // Owned by `owner`, not by a document: the editor replaces its document at every load.
    explicit LinkHighlighter(QObject *owner);

    // Marks the links of a document the editor has just taken, and follows its changes.
    void setDocument(QTextDocument *document);

private:
    void contentsChanged(int from, int removed, int added);
    void markParagraphs(int from, int to, bool relayOutShown);

    QPointer<QTextDocument> m_document;
};

} // namespace kora
