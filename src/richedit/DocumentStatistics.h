#pragma once

#include "text/TextStatistics.h"

#include <QObject>

#include <memory>

class QTextDocument;

namespace kora {

// The status bar's counts of a document's text, kept up to date from the document's change
// notifications. Each paragraph's counts are cached on its block, so typing recounts only the
// paragraph typed into, and a removed paragraph takes its counts with it. The counts equal those
// of countStatistics() over the whole text with CR LF paragraph breaks.
class DocumentStatistics : public QObject
{
    Q_OBJECT
public:
    // Counts the whole document once, then follows its changes. Owned by the document.
    explicit DocumentStatistics(QTextDocument *document);

    // Characters, spaces and words; the line count is left to the layout.
    TextStatistics counts() const;

    struct Totals;

private:
    void recount(int position, int charsAdded);

    QTextDocument *m_document;
    std::shared_ptr<Totals> m_totals;
    int m_revision = -1;
};

} // namespace kora
