#pragma once

#include "richedit/DocumentCodec.h"
#include "richedit/EmbeddedFile.h"
#include "richedit/LaidOutLines.h"
#include "richedit/SelectionFormat.h"
#include "text/TextStatistics.h"

#include <QTextEdit>

#include <functional>
#include <optional>

class QPrinter;

namespace kora {

class DocumentStatistics;
class LinkHighlighter;

// The rich-text editing control: the document lives here and every other part of the program
// reaches it through these operations. Positions are character offsets in which a paragraph
// end counts as one character.
class RichEdit : public QTextEdit
{
    Q_OBJECT
public:
    enum FindOption { FindWholeWord = 1, FindMatchCase = 2, FindBackward = 4, FindSelect = 8 };
    enum ScrollBars { ScrollNone, ScrollHorizontal, ScrollVertical, ScrollBoth };
    enum PrintRange { PrintDocument, PrintSelection };

    explicit RichEdit(QWidget *parent = nullptr);
    ~RichEdit() override;

    // Whole text, paragraphs separated by CR LF.
    QString text() const;
    void setText(const QString &text);
    // Starts a new, empty document with no undo history.
    void clearAll();
    // Replaces the document with a copy of the source's; each character keeps the font it shows
    // there. No undo history; neither the clipboard nor the source's selection is touched.
    void copyDocumentFrom(const RichEdit &source);

    // The font of text that has none of its own, for this and every later document
    // (initially 12-point "Times New Roman").
    void setDefaultCharFont(const QFont &font);
    // That font with the automatic colours, as a selection format.
    CharFormat defaultCharFormat() const;

    // Lines as laid out; lays the whole document out first.
    int lineCount() const;
    // The line count without waiting for the layout: nothing while part of the document is still
    // being laid out in the background.
    std::optional<int> laidOutLineCount() const;
    // The status bar's counts: characters (a paragraph break counts two), spaces and words kept
    // up to date as the document changes; lines as laid out, or -1 while that is not known yet.
    TextStatistics statistics() const;
    QString lineText(int line) const;
    int lineStart(int line) const; // line -1: the caret's line; -1 for a line that does not exist
    int caretLine() const;
    // The lines as the line breaker lays them out at the wrap width (see LaidOutLines.h), without
    // needing the window shown; a fixed pixel width wraps at that width less the margins.
    void walkLines(const LineVisitor &visit) const;

    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    void setSelText(const QString &text);
    void selectAllText();
    // Selects `length` characters from `start` (both clamped to the text) in one change of the
    // selection, the caret at its end, scrolled into view.
    void select(int start, int length);

    struct TextReplacement
    {
        int start = 0;
        int length = 0;
        QString text;
    };
    // Replaces each range by its text in the format of the range's first character, all in one
    // undo step. Positions are those before any of the replacements; ranges must not overlap.
    void replaceRanges(QList<TextReplacement> replacements);
    void scrollCaretIntoView();

    // Lays the whole document out now; layout may otherwise still be pending. Whoever reads
    // laid-out lines in bulk calls this first.
    void ensureLayout() const;
    // Lays the document out, then calls `visit` with the start offset and the text (as
    // lineText() gives it) of each laid-out line, the first line first, until it returns false.
    // The text is valid only during the call.
    void visitLines(const std::function<bool(int start, QStringView text)> &visit) const;
    // Calls `visit` with the start offset and the text (without its end) of each paragraph,
    // from the one that holds `position` on, towards the end or (backward) towards the start,
    // until it returns false. The text is valid only during the call.
    void visitParagraphs(int position, bool backward,
                         const std::function<bool(int start, QStringView text)> &visit) const;

    struct TextRange
    {
        int start = 0;
        int length = 0;
    };
    // Gives every range the text colour (the window-text colour or none: automatic) and, when
    // `points` is above 0, that size; all in one undo step. The selection stays as it is.
    void setRangesFormat(const QList<TextRange> &ranges, const QColor &color, std::optional<int> points);

    // Character format of the selection.
    CharFormat selCharFormat() const;
    StyleFlags selStyle() const;
    void setSelStyle(StyleFlags style);
    QColor selColor() const;
    void setSelColor(const QColor &color);
    QColor selHighlight() const;
    void setSelHighlight(const QColor &color);
    QString selFaceName() const;
    void setSelFaceName(const QString &face);
    int selSize() const;
    void setSelSize(int points);
    SubscriptStyle selSubscript() const;
    void setSelSubscript(SubscriptStyle style);
    void setSelFont(const QFont &font, const QColor &color);

    // Paragraph format of the selection (its first paragraph when they differ).
    ParaFormat selParaFormat() const;
    void setParaAlignment(Alignment alignment);
    void setParaNumbering(Numbering numbering);
    void setParaFirstIndent(int points);
    void setParaLeftIndent(int points);
    void setParaRightIndent(int points);

    bool isModified() const;
    void setModified(bool modified);
    void setWordWrap(bool wrap);
    bool wordWrap() const;
    void setScrollBars(ScrollBars bars);
    void setBackgroundColor(const QColor &color);
    QColor backgroundColor() const;

    bool canUndo() const;
    bool canRedo() const;
    // Neither changes a read-only document.
    void undoStep();
    void redoStep();
    int undoDepth() const { return m_undoDepth; }
    // Refuses depths below 1 with an error.
    bool setUndoDepth(int depth, QString *error = nullptr);

    // Load and save by extension (see DocumentCodec); false with a message.
    bool loadFromFile(const QString &path, QString *error = nullptr);
    bool saveToFile(const QString &path, QString *error = nullptr);
    const LoadInfo &lastLoad() const { return m_loadInfo; }
    // The file last loaded or saved whole (not a selection), as it was then.
    const FileStamp &fileStamp() const { return m_fileStamp; }
    // The whole document as RTF, and back: replaces the document by RTF bytes (a copy kept for
    // recovery) that came from a file read as `origin` tells, so saving writes that file's format.
    // No undo history.
    QByteArray documentRtf() const;
    void loadDocumentRtf(const QByteArray &rtf, const LoadInfo &origin);
    void setSelectionOnly(bool on) { m_selectionOnly = on; }
    bool selectionOnly() const { return m_selectionOnly; }

    int find(const QString &text, int start, int length, int options);

    // Prints the whole document (or only the selected text) as the job `title`, one page after
    // another, each page the printer's printable area; no page numbers and no empty page after
    // the last character. False when the printer could not start the job.
    bool print(QPrinter *printer, const QString &title, PrintRange range = PrintDocument) const;

    // Inserts RTF at the selection, replacing it.
    void insertRtf(const QByteArray &rtf);
    // The same without the RTF's pictures and objects: only its formatted text.
    void insertRtfWithoutObjects(const QByteArray &rtf);
    void insertImage(const QImage &image);

    // Inserts a packaged file (or a link to one) shown as `shown`, replacing the selection; the
    // caret ends after it.
    void insertObject(const EmbeddedFile &file, const QImage &shown);
    // The packaged file whose picture stands at `position`.
    std::optional<EmbeddedFile> objectAt(int position) const;
    // Every object that packages `old` packages `updated` from now on, shown as `shown` when that is
    // not null (at the size it had); one undo step. Returns how many were changed.
    int replaceObjects(const EmbeddedFile &old, const EmbeddedFile &updated, const QImage &shown);

signals:
    void changed();
    void urlClicked(const QString &url);
    // A double click on the picture of a packaged file at `position`.
    void objectActivated(int position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void adoptDocument(QTextDocument *document);
    void onContentsChange();
    void onUndoCommandAdded();
    QString linkAt(const QPoint &viewportPos, int *startPosition) const;
    void mergeCharFormat(const QTextCharFormat &modifier);
    template<typename Change>
    void changeParagraphs(Change change);
    template<typename Change>
    void changeIndents(Change change);
    QTextCharFormat firstCharFormat() const;
    QTextBlockFormat firstBlockFormat() const;
    QColor windowTextColor() const;
    QColor windowColor() const;

    LinkHighlighter *m_links = nullptr;
    DocumentStatistics *m_statistics = nullptr;
    int m_layoutGeneration = 0;
    mutable int m_countedRevision = -1;
    mutable int m_countedLayoutGeneration = -1;
    mutable int m_countedLines = 0;
    int m_lastRevision = 0;
    int m_undoDepth = 100;
    int m_undoSteps = 0;
    int m_redoSteps = 0;
    bool m_selectionOnly = false;
    QFont m_defaultFont;
    LoadInfo m_loadInfo;
    FileStamp m_fileStamp;
    QString m_pressedLink;
    int m_pressedLinkStart = -1;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};

} // namespace kora
