#pragma once

#include <QStringView>
#include <QSyntaxHighlighter>

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

// Shows detected addresses as links. It only paints: the document, its undo history and its
// modified flag stay as they are.
class LinkHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // Owned by `owner`, not by a document: the editor replaces its document at every load.
    explicit LinkHighlighter(QObject *owner);

protected:
    void highlightBlock(const QString &text) override;
};

} // namespace kora
