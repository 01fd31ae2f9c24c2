#include "richedit/DocumentStatistics.h"

#include <QTextBlock>
#include <QTextDocument>

namespace kora {

struct DocumentStatistics::Totals
{
    qint64 characters = 0; // without paragraph breaks
    qint64 spaces = 0;
    qint64 words = 0;
};

namespace {

// One paragraph's counts. It lives as long as its block; a block that goes takes its counts out
// of the document's totals.
class BlockCounts : public QTextBlockUserData
{
public:
    BlockCounts(std::shared_ptr<DocumentStatistics::Totals> totals, const TextStatistics &counts)
        : m_totals(std::move(totals))
        , m_counts(counts)
    {
        add(1);
    }
    ~BlockCounts() override { add(-1); }

    void replace(const TextStatistics &counts)
    {
        add(-1);
        m_counts = counts;
        add(1);
    }

private:
    void add(int sign)
    {
        m_totals->characters += sign * m_counts.characters;
        m_totals->spaces += sign * m_counts.spaces;
        m_totals->words += sign * m_counts.words;
    }

    std::shared_ptr<DocumentStatistics::Totals> m_totals;
    TextStatistics m_counts;
};

// A paragraph as the whole text shows it: a line break inside it is CR LF there.
TextStatistics countBlock(const QTextBlock &block)
{
    const QString text = block.text();
    TextStatistics counts = countStatistics(text, 0);
    counts.characters += text.count(QChar::LineSeparator);
    return counts;
}

} // namespace

DocumentStatistics::DocumentStatistics(QTextDocument *document)
    : QObject(document)
    , m_document(document)
    , m_totals(std::make_shared<Totals>())
{
    recount(0, document->characterCount());
    m_revision = document->revision();
    connect(document, &QTextDocument::contentsChange, this, [this](int position, int, int charsAdded) {
        // Painting links changes formats only; the text is the same until the revision moves.
        if (m_document->revision() == m_revision)
            return;
        m_revision = m_document->revision();
        recount(position, charsAdded);
    });
}

void DocumentStatistics::recount(int position, int charsAdded)
{
    const QTextBlock last = m_document->findBlock(std::min(position + charsAdded, m_document->characterCount() - 1));
    for (QTextBlock block = m_document->findBlock(position); block.isValid(); block = block.next()) {
        if (auto *counts = dynamic_cast<BlockCounts *>(block.userData()))
            counts->replace(countBlock(block));
        else
            block.setUserData(new BlockCounts(m_totals, countBlock(block)));
        if (block == last)
            break;
    }
}

TextStatistics DocumentStatistics::counts() const
{
    // Each paragraph break is CR LF in the whole text.
    const qint64 breaks = 2 * qint64(m_document->blockCount() - 1);
    return {m_totals->characters + breaks, 0, m_totals->spaces, m_totals->words};
}

} // namespace kora
