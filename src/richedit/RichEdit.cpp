#include "richedit/RichEdit.h"

#include "richedit/DocumentCopy.h"
#include "richedit/DocumentProperties.h"
#include "richedit/DocumentSink.h"
#include "richedit/DocumentStatistics.h"
#include "richedit/FormatMapping.h"
#include "richedit/LinkDetector.h"
#include "richedit/Pictures.h"
#include "richedit/PlainTextCodec.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QTextList>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kora {

namespace {

// The allocator keeps what a large document freed for later use; after a document goes, that can
// be tens of megabytes the process no longer needs. Give it back to the system.
void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

constexpr int kMaxLineText = 4096;
constexpr int kMaxPointSize = 1638;
const char *const kRtfMime = "text/rtf";
const char *const kRtfMimeAlt = "application/rtf";

QFont defaultDocumentFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    return font;
}

QString toCrLf(QString text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar ch : text) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator || ch == u'\n')
            out += QLatin1String("\r\n");
        else
            out += ch;
    }
    return out;
}

// Text for insertion: line breaks of any style become '\n', other control characters go.
QString insertableText(const QString &text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(u'\r', u'\n');
    normal.replace(QChar::ParagraphSeparator, u'\n');
    return plaintext::withoutControlCharacters(normal);
}

int floorDiv(int value, int divisor)
{
    return int(std::floor(double(value) / divisor));
}

} // namespace

RichEdit::RichEdit(QWidget *parent)
    : QTextEdit(parent)
    , m_defaultFont(defaultDocumentFont())
{
    setAcceptRichText(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setTabChangesFocus(false);
    viewport()->setMouseTracking(true);
    auto *document = new QTextDocument(this);
    adoptDocument(document);
    setWordWrap(true);
}

RichEdit::~RichEdit()
{
    // The document outlives this editor's slots by a moment; it must no longer call them.
    disconnect(document(), nullptr, this, nullptr);
    disconnect(document()->documentLayout(), nullptr, this, nullptr);
    delete m_links;
}

void RichEdit::adoptDocument(QTextDocument *document)
{
    // setDocument() may delete the previous document itself; a guarded pointer tells.
    QPointer<QTextDocument> old = this->document();
    if (old && old != document) {
        disconnect(old, nullptr, this, nullptr);
        disconnect(old->documentLayout(), nullptr, this, nullptr);
    }
    document->setDefaultFont(m_defaultFont);
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    // Paragraphs run left to right unless they say otherwise. Without a set direction the layout
    // reads every paragraph's text to guess one, after every keystroke, for the whole document.
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document->setDefaultTextOption(option);
    setDocument(document);
    if (!m_links)
        m_links = new LinkHighlighter(this);
    m_links->setDocument(document);
    m_statistics = new DocumentStatistics(document);
    // Lines change when the layout does, also without a change of the text (a new width).
    connect(document->documentLayout(), &QAbstractTextDocumentLayout::update, this, [this] { ++m_layoutGeneration; });
    ++m_layoutGeneration;
    m_lastRevision = document->revision();
    m_undoSteps = 0;
    m_redoSteps = 0;
    connect(document, &QTextDocument::contentsChange, this, &RichEdit::onContentsChange);
    connect(document, &QTextDocument::undoCommandAdded, this, &RichEdit::onUndoCommandAdded);
    if (old && old != document && old->parent() == this) {
        // Once it is wholly gone: its signal comes before its contents are freed.
        connect(old, &QObject::destroyed, [] { QTimer::singleShot(0, &releaseFreedMemory); });
        old->deleteLater();
    }
}

void RichEdit::onContentsChange()
{
    // Link painting also reports a change; only a new revision is a change of the content.
    const int revision = document()->revision();
    if (revision == m_lastRevision)
        return;
    m_lastRevision = revision;
    emit changed();
}

void RichEdit::onUndoCommandAdded()
{
    m_undoSteps = std::min(m_undoSteps + 1, m_undoDepth);
    m_redoSteps = 0;
}

QString RichEdit::text() const
{
    return toCrLf(document()->toRawText());
}

void RichEdit::setText(const QString &text)
{
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setCharFormat(QTextCharFormat());
    cursor.insertText(insertableText(text));
    cursor.endEditBlock();
}

void RichEdit::clearAll()
{
    // A new document: no undo history, and saved by the extension rule as if never read.
    auto *document = new QTextDocument(this);
    m_loadInfo = LoadInfo();
    m_fileStamp = {};
    adoptDocument(document);
    emit changed();
}

void RichEdit::copyDocumentFrom(const RichEdit &source)
{
    auto *document = new QTextDocument(this);
    document->setDefaultFont(m_defaultFont);
    copyDocument(*source.document(), *document);
    m_loadInfo = source.m_loadInfo;
    adoptDocument(document);
    emit changed();
}

void RichEdit::setDefaultCharFont(const QFont &font)
{
    m_defaultFont = font;
    document()->setDefaultFont(font);
}

CharFormat RichEdit::defaultCharFormat() const
{
    return resolvedCharFormat(QTextCharFormat(), document()->defaultFont(), windowTextColor(), windowColor());
}

namespace {

// Calls f(block, layout line index, total line index) until it returns true.
template<typename F>
void forEachLine(const QTextDocument *document, F f)
{
    int total = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const int lines = layout ? std::max(1, layout->lineCount()) : 1;
        for (int i = 0; i < lines; ++i) {
            if (f(block, i, total))
                return;
            ++total;
        }
    }
}

void ensureLaidOut(const QTextDocument *document)
{
    if (QAbstractTextDocumentLayout *layout = document->documentLayout())
        layout->blockBoundingRect(document->lastBlock());
}

} // namespace

int RichEdit::lineCount() const
{
    ensureLaidOut(document());
    int total = 0;
    forEachLine(document(), [&total](const QTextBlock &, int, int) {
        ++total;
        return false;
    });
    if (document()->lastBlock().length() <= 1)
        --total;
    return std::max(0, total);
}

std::optional<int> RichEdit::laidOutLineCount() const
{
    // The layout proceeds from the top, so the document is laid out once its last block is.
    const QTextLayout *last = document()->lastBlock().layout();
    if (!last || last->lineCount() == 0)
        return std::nullopt;
    if (m_countedRevision != document()->revision() || m_countedLayoutGeneration != m_layoutGeneration) {
        int total = 0;
        forEachLine(document(), [&total](const QTextBlock &, int, int) {
            ++total;
            return false;
        });
        if (document()->lastBlock().length() <= 1)
            --total;
        m_countedLines = std::max(0, total);
        m_countedRevision = document()->revision();
        m_countedLayoutGeneration = m_layoutGeneration;
    }
    return m_countedLines;
}

TextStatistics RichEdit::statistics() const
{
    TextStatistics counts = m_statistics->counts();
    counts.lines = laidOutLineCount().value_or(-1);
    return counts;
}

QString RichEdit::lineText(int line) const
{
    ensureLaidOut(document());
    QString result;
    forEachLine(document(), [&](const QTextBlock &block, int index, int total) {
        if (total != line)
            return false;
        const QTextLayout *layout = block.layout();
        QString text = block.text();
        if (layout && layout->lineCount() > index) {
            const QTextLine l = layout->lineAt(index);
            text = text.mid(l.textStart(), l.textLength());
        }
        while (!text.isEmpty() && text.back() == QChar::LineSeparator)
            text.chop(1);
        result = text.left(kMaxLineText);
        return true;
    });
    return result;
}

int RichEdit::caretLine() const
{
    ensureLaidOut(document());
    const int position = textCursor().position();
    const QTextBlock caretBlock = document()->findBlock(position);
    int result = 0;
    forEachLine(document(), [&](const QTextBlock &block, int index, int total) {
        if (block != caretBlock)
            return false;
        const QTextLayout *layout = block.layout();
        int lineInBlock = 0;
        if (layout && layout->lineCount() > 0)
            lineInBlock = std::max(0, layout->lineForTextPosition(position - block.position()).lineNumber());
        result = total - index + lineInBlock;
        return true;
    });
    return result;
}

void RichEdit::walkLines(const LineVisitor &visit) const
{
    qreal width = 0;
    if (lineWrapMode() == FixedPixelWidth)
        width = lineWrapColumnOrWidth();
    else if (lineWrapMode() == WidgetWidth)
        width = viewport()->width();
    if (width > 0)
        width = std::max<qreal>(1, width - 2 * document()->documentMargin());
    forEachLaidOutLine(*document(), LineLayout{width, windowTextColor(), windowColor()}, visit);
}

int RichEdit::lineStart(int line) const
{
    if (line == -1)
        line = caretLine();
    if (line < 0)
        return -1;
    ensureLaidOut(document());
    int result = -1;
    forEachLine(document(), [&](const QTextBlock &block, int index, int total) {
        if (total != line)
            return false;
        const QTextLayout *layout = block.layout();
        const int offset = (layout && layout->lineCount() > index) ? layout->lineAt(index).textStart() : 0;
        result = block.position() + offset;
        return true;
    });
    return result;
}

int RichEdit::selStart() const
{
    return textCursor().selectionStart();
}

void RichEdit::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    const int end = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(start, 0, end));
    setTextCursor(cursor);
}

int RichEdit::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichEdit::setSelLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = document()->characterCount() - 1;
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + std::max(0, length), 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichEdit::selText() const
{
    return toCrLf(textCursor().selectedText());
}

void RichEdit::setSelText(const QString &text)
{
    // An edit block makes each replacement its own undo step (typing would merge them).
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(insertableText(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void RichEdit::replaceRanges(QList<TextReplacement> replacements)
{
    if (replacements.isEmpty())
        return;
    // From the last range back, so the earlier positions stay where they were.
    std::sort(replacements.begin(), replacements.end(),
              [](const TextReplacement &a, const TextReplacement &b) { return a.start > b.start; });
    const int end = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const TextReplacement &r : std::as_const(replacements)) {
        const int start = std::clamp(r.start, 0, end);
        const int stop = std::clamp(r.start + std::max(0, r.length), start, end);
        cursor.setPosition(stop > start ? start + 1 : start);
        const QTextCharFormat format = cursor.charFormat();
        cursor.setPosition(start);
        cursor.setPosition(stop, QTextCursor::KeepAnchor);
        cursor.insertText(insertableText(r.text), format);
    }
    cursor.endEditBlock();
}

void RichEdit::selectAllText()
{
    selectAll();
}

void RichEdit::scrollCaretIntoView()
{
    ensureCursorVisible();
}

QColor RichEdit::windowTextColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

QColor RichEdit::windowColor() const
{
    return palette().color(QPalette::Active, QPalette::Base);
}

QTextCharFormat RichEdit::firstCharFormat() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return cursor.charFormat();
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

QTextBlockFormat RichEdit::firstBlockFormat() const
{
    return document()->findBlock(textCursor().selectionStart()).blockFormat();
}

namespace {

StyleFlags styleOf(const QTextCharFormat &f)
{
    StyleFlags style;
    if (f.fontWeight() >= QFont::DemiBold)
        style |= StyleBold;
    if (f.fontItalic())
        style |= StyleItalic;
    if (f.fontUnderline())
        style |= StyleUnderline;
    if (f.fontStrikeOut())
        style |= StyleStrikeOut;
    return style;
}

} // namespace

StyleFlags RichEdit::selStyle() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return styleOf(cursor.charFormat());
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    StyleFlags style = StyleBold | StyleItalic | StyleUnderline | StyleStrikeOut;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to && style;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd() && style; ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= from || fragment.position() >= to)
                continue;
            style &= styleOf(fragment.charFormat());
        }
    }
    return style;
}

CharFormat RichEdit::selCharFormat() const
{
    CharFormat f;
    f.style = selStyle();
    f.color = selColor();
    f.highlight = selHighlight();
    f.face = selFaceName();
    f.size = selSize();
    f.subscript = selSubscript();
    return f;
}

QColor RichEdit::selColor() const
{
    const QTextCharFormat f = firstCharFormat();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        return f.foreground().color();
    return windowTextColor();
}

QColor RichEdit::selHighlight() const
{
    const QTextCharFormat f = firstCharFormat();
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
        return f.background().color();
    return windowColor();
}

QString RichEdit::selFaceName() const
{
    const QTextCharFormat f = firstCharFormat();
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    const QString face = families.isEmpty() || families.first().isEmpty() ? document()->defaultFont().family()
                                                                         : families.first();
    return face.left(kMaxFaceNameLength);
}

int RichEdit::selSize() const
{
    const QTextCharFormat f = firstCharFormat();
    const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                    : document()->defaultFont().pointSizeF();
    return wholePoints(points);
}

SubscriptStyle RichEdit::selSubscript() const
{
    switch (firstCharFormat().verticalAlignment()) {
    case QTextCharFormat::AlignSubScript: return Subscript;
    case QTextCharFormat::AlignSuperScript: return Superscript;
    default: return SubscriptNone;
    }
}

void RichEdit::mergeCharFormat(const QTextCharFormat &modifier)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.mergeCharFormat(modifier);
    cursor.endEditBlock();
    if (!cursor.hasSelection())
        mergeCurrentCharFormat(modifier);
}

void RichEdit::setSelStyle(StyleFlags style)
{
    QTextCharFormat f;
    f.setFontWeight(style & StyleBold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(style & StyleItalic);
    f.setFontUnderline(style & StyleUnderline);
    f.setFontStrikeOut(style & StyleStrikeOut);
    mergeCharFormat(f);
}

void RichEdit::setSelColor(const QColor &color)
{
    QTextCharFormat f;
    // The window-text colour (or none) means "automatic": the text follows the system colour.
    f.setForeground(!color.isValid() || color.rgb() == windowTextColor().rgb() ? QBrush() : QBrush(color));
    mergeCharFormat(f);
}

void RichEdit::setSelHighlight(const QColor &color)
{
    QTextCharFormat f;
    f.setBackground(!color.isValid() || color.rgb() == windowColor().rgb() ? QBrush() : QBrush(color));
    mergeCharFormat(f);
}

void RichEdit::setSelFaceName(const QString &face)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face.left(kMaxFaceNameLength)});
    mergeCharFormat(f);
}

void RichEdit::setSelSize(int points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(std::min(points, kMaxPointSize));
    mergeCharFormat(f);
}

void RichEdit::setSelSubscript(SubscriptStyle style)
{
    QTextCharFormat f;
    f.setVerticalAlignment(style == Subscript     ? QTextCharFormat::AlignSubScript
                           : style == Superscript ? QTextCharFormat::AlignSuperScript
                                                  : QTextCharFormat::AlignNormal);
    mergeCharFormat(f);
}

void RichEdit::setSelFont(const QFont &font, const QColor &color)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{font.family().left(kMaxFaceNameLength)});
    if (font.pointSize() > 0)
        f.setFontPointSize(std::min(font.pointSize(), kMaxPointSize));
    f.setFontWeight(font.weight() >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(font.italic());
    f.setFontUnderline(font.underline());
    f.setFontStrikeOut(font.strikeOut());
    f.setForeground(!color.isValid() || color.rgb() == windowTextColor().rgb() ? QBrush() : QBrush(color));
    mergeCharFormat(f);
}

ParaFormat RichEdit::selParaFormat() const
{
    const QTextBlock block = document()->findBlock(textCursor().selectionStart());
    const QTextBlockFormat f = block.blockFormat();
    const ParagraphTwips t = paragraphTwips(f);
    ParaFormat p;
    p.alignment = Alignment(alignmentCode(f.alignment()));
    p.numbering = isBulletList(block.textList()) ? NumberingBullet : NumberingNone;
    p.firstIndent = floorDiv(t.left + t.firstLine, kTwipsPerPoint);
    p.leftIndent = floorDiv(-t.firstLine, kTwipsPerPoint);
    p.rightIndent = floorDiv(t.right, kTwipsPerPoint);
    return p;
}

template<typename Change>
void RichEdit::changeParagraphs(Change change)
{
    QTextCursor cursor = textCursor();
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        edit.setPosition(block.position());
        change(edit, block);
        if (block.position() + block.length() > to)
            break;
    }
    edit.endEditBlock();
}

void RichEdit::setParaAlignment(Alignment alignment)
{
    changeParagraphs([alignment](QTextCursor &edit, const QTextBlock &) {
        QTextBlockFormat f;
        f.setAlignment(alignmentFromCode(alignment));
        edit.mergeBlockFormat(f);
    });
}

void RichEdit::setParaNumbering(Numbering numbering)
{
    const bool bullet = numbering == NumberingBullet;
    changeParagraphs([bullet](QTextCursor &edit, const QTextBlock &block) {
        QTextBlockFormat f = block.blockFormat();
        ParagraphTwips t = paragraphTwips(f);
        const int first = t.left + t.firstLine;
        int relative = -t.firstLine;
        if (bullet)
            relative = std::max(relative, kBulletMinLeftIndent * kTwipsPerPoint);
        else
            relative = 0;
        t.left = first + relative;
        t.firstLine = -relative;
        setParagraphTwips(f, t, bullet);
        edit.setBlockFormat(f);
        setBlockBullet(edit, bullet);
    });
}

template<typename Change>
void RichEdit::changeIndents(Change change)
{
    changeParagraphs([&change](QTextCursor &edit, const QTextBlock &block) {
        QTextBlockFormat f = block.blockFormat();
        ParagraphTwips t = paragraphTwips(f);
        change(t);
        setParagraphTwips(f, t, block.textList() != nullptr);
        edit.setBlockFormat(f);
    });
}

void RichEdit::setParaFirstIndent(int points)
{
    // The first line moves; further lines keep their place relative to it.
    changeIndents([points](ParagraphTwips &t) { t.left = points * kTwipsPerPoint - t.firstLine; });
}

void RichEdit::setParaLeftIndent(int points)
{
    changeIndents([points](ParagraphTwips &t) {
        const int first = t.left + t.firstLine;
        t.left = first + points * kTwipsPerPoint;
        t.firstLine = -points * kTwipsPerPoint;
    });
}

void RichEdit::setParaRightIndent(int points)
{
    changeIndents([points](ParagraphTwips &t) { t.right = points * kTwipsPerPoint; });
}

bool RichEdit::isModified() const
{
    return document()->isModified();
}

void RichEdit::setModified(bool modified)
{
    document()->setModified(modified);
}

void RichEdit::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    setScrollBars(wrap ? ScrollVertical : ScrollBoth);
}

bool RichEdit::wordWrap() const
{
    return lineWrapMode() != QTextEdit::NoWrap;
}

void RichEdit::setScrollBars(ScrollBars bars)
{
    const bool horizontal = bars == ScrollHorizontal || bars == ScrollBoth;
    const bool vertical = bars == ScrollVertical || bars == ScrollBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void RichEdit::setBackgroundColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

QColor RichEdit::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

bool RichEdit::canUndo() const
{
    return m_undoSteps > 0 && document()->isUndoAvailable();
}

bool RichEdit::canRedo() const
{
    return m_redoSteps > 0 && document()->isRedoAvailable();
}

void RichEdit::undoStep()
{
    if (isReadOnly() || !canUndo())
        return;
    // The counts change first: listeners of the change signal ask canUndo() during the undo.
    --m_undoSteps;
    ++m_redoSteps;
    document()->undo();
}

void RichEdit::redoStep()
{
    if (isReadOnly() || !canRedo())
        return;
    --m_redoSteps;
    m_undoSteps = std::min(m_undoSteps + 1, m_undoDepth);
    document()->redo();
}

bool RichEdit::setUndoDepth(int depth, QString *error)
{
    if (depth < 1) {
        if (error)
            *error = QStringLiteral("Hloubka vracení musí být alespoň 1.");
        return false;
    }
    m_undoDepth = depth;
    m_undoSteps = std::min(m_undoSteps, depth);
    m_redoSteps = std::min(m_redoSteps, depth);
    return true;
}

bool RichEdit::loadFromFile(const QString &path, QString *error)
{
    auto *document = new QTextDocument(this);
    document->setDefaultFont(m_defaultFont);
    LoadInfo info;
    if (!documentcodec::loadFile(path, *document, &info, error)) {
        delete document;
        return false;
    }
    m_loadInfo = info;
    m_fileStamp = info.file;
    adoptDocument(document);
    moveCursor(QTextCursor::Start);
    emit changed();
    return true;
}

bool RichEdit::saveToFile(const QString &path, QString *error)
{
    const DocumentKind kind = documentcodec::saveKindForPath(path, m_loadInfo);
    int from = 0;
    int to = -1;
    if (m_selectionOnly) {
        from = textCursor().selectionStart();
        to = textCursor().selectionEnd();
    }
    plaintext::Format written;
    const QByteArray bytes = documentcodec::encode(*document(), kind, m_loadInfo.textFormat, from, to, &written);
    if (!documentcodec::saveFile(path, bytes, error))
        return false;
    if (!m_selectionOnly)
        m_fileStamp = FileStamp::of(path, bytes);
    if (kind == DocumentKind::PlainText && !m_selectionOnly)
        m_loadInfo.textFormat = written;
    return true;
}

QByteArray RichEdit::documentRtf() const
{
    return documentcodec::encode(*document(), DocumentKind::Rtf, m_loadInfo.textFormat);
}

void RichEdit::loadDocumentRtf(const QByteArray &rtf, const LoadInfo &origin)
{
    auto *document = new QTextDocument(this);
    document->setDefaultFont(m_defaultFont);
    documentcodec::loadBytes(rtf, DocumentKind::Rtf, *document);
    m_loadInfo = origin;
    m_loadInfo.report = {};
    m_fileStamp = origin.file;
    adoptDocument(document);
    moveCursor(QTextCursor::Start);
    emit changed();
}

int RichEdit::find(const QString &text, int start, int length, int options)
{
    if (text.isEmpty())
        return -1;
    const int end = document()->characterCount() - 1;
    start = std::clamp(start, 0, end);
    const int rangeEnd = length < 0 ? end : std::clamp(start + length, start, end);
    QTextDocument::FindFlags flags;
    if (options & FindWholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (options & FindMatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    QTextCursor from(document());
    if (options & FindBackward) {
        flags |= QTextDocument::FindBackward;
        from.setPosition(rangeEnd);
    } else {
        from.setPosition(start);
    }
    const QTextCursor found = document()->find(text, from, flags);
    if (found.isNull() || found.selectionStart() < start || found.selectionEnd() > rangeEnd)
        return -1;
    if (options & FindSelect)
        setTextCursor(found);
    return found.selectionStart();
}

bool RichEdit::print(QPrinter *printer, const QString &title, PrintRange range) const
{
    printer->setDocName(title);
    // The page is the printable area: the device's own margins, none of ours.
    printer->setFullPage(false);
    std::unique_ptr<QTextDocument> copy;
    if (range == PrintSelection) {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(document()->defaultFont());
        copyDocument(*document(), *copy, textCursor().selectionStart(), textCursor().selectionEnd());
    } else {
        copy.reset(document()->clone());
    }
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    // Lay out at the printer's resolution so that point sizes print at their size.
    copy->documentLayout()->setPaintDevice(printer);
    copy->setPageSize(page.size());
    const int pageCount = copy->pageCount();
    // The last page is the one that holds the last character: no empty page after it.
    const QRectF lastRect = copy->documentLayout()->blockBoundingRect(copy->lastBlock());
    int lastPage = pageCount;
    if (copy->lastBlock().length() <= 1 && copy->blockCount() > 1) {
        const QRectF previous = copy->documentLayout()->blockBoundingRect(copy->lastBlock().previous());
        lastPage = std::min(pageCount, int(previous.bottom() / page.height()) + 1);
    } else {
        lastPage = std::min(pageCount, int(lastRect.top() / page.height()) + 1);
    }
    lastPage = std::max(1, lastPage);
    for (int i = 0; i < lastPage; ++i) {
        if (i > 0)
            printer->newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        const QRectF visible(0, i * page.height(), page.width(), page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(visible);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

void RichEdit::insertRtf(const QByteArray &rtf)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    DocumentSink sink(cursor);
    const rtf::ReadResult result = rtf::read(rtf, sink);
    cursor.endEditBlock();
    if (!result.ok())
        setSelText(plaintext::decode(rtf).text);
    else
        setTextCursor(cursor);
}

namespace {

// Passes the reader's text and paragraphs on and leaves its pictures out.
class TextOnlySink : public rtf::Sink
{
public:
    explicit TextOnlySink(rtf::Sink &target)
        : m_target(target)
    {
    }
    void text(QStringView text, const rtf::RunFormat &format) override { m_target.text(text, format); }
    void paragraphBreak(const rtf::ParagraphProperties &format) override { m_target.paragraphBreak(format); }
    void picture(const rtf::Picture &, const rtf::RunFormat &) override {}
    void finish(const rtf::ParagraphProperties &format) override { m_target.finish(format); }

private:
    rtf::Sink &m_target;
};

// The picture format at `position`, when a picture stands there.
std::optional<QTextImageFormat> pictureFormatAt(const QTextDocument &document, int position)
{
    if (position < 0 || position >= document.characterCount() - 1)
        return std::nullopt;
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    if (!format.isImageFormat() || document.characterAt(position) != QChar::ObjectReplacementCharacter)
        return std::nullopt;
    return format.toImageFormat();
}

} // namespace

void RichEdit::insertRtfWithoutObjects(const QByteArray &rtf)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    DocumentSink sink(cursor);
    TextOnlySink textOnly(sink);
    const rtf::ReadResult result = rtf::read(rtf, textOnly);
    cursor.endEditBlock();
    if (!result.ok())
        setSelText(plaintext::decode(rtf).text);
    else
        setTextCursor(cursor);
}

void RichEdit::insertObject(const EmbeddedFile &file, const QImage &shown)
{
    rtf::Picture picture = pictures::fromImage(shown);
    if (picture.data.isEmpty())
        return;
    picture.isObject = true;
    picture.objectLinked = file.linked;
    picture.objectData = ole::encodePackage(file);
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    DocumentSink sink(cursor);
    sink.picture(picture, rtf::RunFormat{});
    cursor.endEditBlock();
    setTextCursor(cursor);
}

std::optional<EmbeddedFile> RichEdit::objectAt(int position) const
{
    const std::optional<QTextImageFormat> format = pictureFormatAt(*document(), position);
    if (!format)
        return std::nullopt;
    return ole::decodePackage(format->property(PropObjectData).toByteArray());
}

int RichEdit::replaceObjects(const EmbeddedFile &old, const EmbeddedFile &updated, const QImage &shown)
{
    const QByteArray oldData = ole::encodePackage(old);
    const QByteArray newData = ole::encodePackage(updated);
    QList<int> positions;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() && format.property(PropObjectData).toByteArray() == oldData) {
                for (int i = 0; i < fragment.length(); ++i)
                    positions << fragment.position() + i;
            }
        }
    }
    if (positions.isEmpty())
        return 0;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const int position : std::as_const(positions)) {
        QTextImageFormat format = *pictureFormatAt(*document(), position);
        format.setProperty(PropObjectData, newData);
        format.setProperty(PropObjectLinked, updated.linked);
        if (!shown.isNull()) {
            const rtf::Picture picture = pictures::fromImage(shown);
            const int number = document()->property("koraPictureCount").toInt() + 1;
            document()->setProperty("koraPictureCount", number);
            const QString name = QStringLiteral("kora-picture:%1").arg(number);
            document()->addResource(QTextDocument::ImageResource, QUrl(name), shown);
            format.setName(name);
            format.setProperty(PropPictureKind, int(picture.kind));
            format.setProperty(PropPictureData, picture.data);
            format.setProperty(PropPictureWidth, picture.width);
            format.setProperty(PropPictureHeight, picture.height);
        }
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
    return int(positions.size());
}

void RichEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPointF point = event->position() + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
        const int position = document()->documentLayout()->hitTest(point, Qt::ExactHit);
        // A picture is hit at its own position or, past its middle, at the one after it.
        for (const int candidate : {position, position - 1}) {
            const std::optional<QTextImageFormat> format = pictureFormatAt(*document(), candidate);
            if (format && format->hasProperty(PropObjectData)) {
                event->accept();
                emit objectActivated(candidate);
                return;
            }
        }
    }
    QTextEdit::mouseDoubleClickEvent(event);
}

void RichEdit::insertImage(const QImage &image)
{
    if (image.isNull())
        return;
    const int number = document()->property("koraPictureCount").toInt() + 1;
    document()->setProperty("koraPictureCount", number);
    const QString name = QStringLiteral("kora-picture:%1").arg(number);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(image.width());
    f.setHeight(image.height());
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertImage(f);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void RichEdit::keyPressEvent(QKeyEvent *event)
{
    // Undo and redo go through the depth-limited steps.
    if (event == QKeySequence::Undo) {
        undoStep();
        event->accept();
        return;
    }
    if (event == QKeySequence::Redo) {
        redoStep();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

QString RichEdit::linkAt(const QPoint &viewportPos, int *startPosition) const
{
    const QTextCursor cursor = cursorForPosition(viewportPos);
    const QTextBlock block = cursor.block();
    if (!block.isValid())
        return {};
    const int inBlock = cursor.position() - block.position();
    const QString text = block.text();
    for (const LinkSpan &span : findLinks(text)) {
        if (inBlock >= span.start && inBlock < span.start + span.length) {
            // The cursor lands between characters; make sure the point is really over the link.
            const QRect r = cursorRect(cursor);
            if (std::abs(r.center().y() - viewportPos.y()) > r.height())
                return {};
            if (startPosition)
                *startPosition = block.position() + int(span.start);
            return text.mid(span.start, span.length);
        }
    }
    return {};
}

void RichEdit::mousePressEvent(QMouseEvent *event)
{
    m_pressedLink.clear();
    m_pressedLinkStart = -1;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        m_pressedLink = linkAt(event->position().toPoint(), &m_pressedLinkStart);
        m_pressedButton = event->button();
    }
    QTextEdit::mousePressEvent(event);
}

void RichEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    if (m_pressedLink.isEmpty() || event->button() != m_pressedButton)
        return;
    int start = -1;
    const QString link = linkAt(event->position().toPoint(), &start);
    const QString pressed = m_pressedLink;
    m_pressedLink.clear();
    if (link == pressed && start == m_pressedLinkStart)
        emit urlClicked(link);
}

void RichEdit::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    const bool overLink = !linkAt(event->position().toPoint(), nullptr).isEmpty();
    viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

bool RichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasFormat(QLatin1String(kRtfMime)) || source->hasFormat(QLatin1String(kRtfMimeAlt))
           || source->hasImage() || source->hasText();
}

void RichEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly())
        return;
    for (const char *mime : {kRtfMime, kRtfMimeAlt}) {
        if (source->hasFormat(QLatin1String(mime))) {
            const QByteArray data = source->data(QLatin1String(mime));
            if (rtf::looksLikeRtf(data)) {
                insertRtf(data);
                ensureCursorVisible();
                return;
            }
        }
    }
    if (source->hasImage()) {
        insertImage(qvariant_cast<QImage>(source->imageData()));
        ensureCursorVisible();
        return;
    }
    if (source->hasText()) {
        setSelText(source->text());
        ensureCursorVisible();
    }
}

QMimeData *RichEdit::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    const QTextCursor cursor = textCursor();
    data->setData(QLatin1String(kRtfMime), rtf::write(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    data->setText(documentcodec::plainText(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void RichEdit::ensureLayout() const
{
    // The document size is known only once every block is laid out.
    if (QAbstractTextDocumentLayout *layout = document()->documentLayout())
        layout->documentSize();
}

void RichEdit::visitLines(const std::function<bool(int start, QStringView text)> &visit) const
{
    ensureLayout();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout *layout = block.layout();
        const int lines = layout ? layout->lineCount() : 0;
        for (int i = 0; i < std::max(1, lines); ++i) {
            QStringView line(text);
            int start = 0;
            if (i < lines) {
                const QTextLine l = layout->lineAt(i);
                start = l.textStart();
                line = line.mid(start, l.textLength());
            }
            while (!line.isEmpty() && line.back() == QChar::LineSeparator)
                line.chop(1);
            if (!visit(block.position() + start, line.left(kMaxLineText)))
                return;
        }
    }
}

void RichEdit::visitParagraphs(int position, bool backward,
                               const std::function<bool(int start, QStringView text)> &visit) const
{
    QTextBlock block = document()->findBlock(std::clamp(position, 0, document()->characterCount() - 1));
    while (block.isValid()) {
        const QString text = block.text();
        if (!visit(block.position(), text))
            return;
        block = backward ? block.previous() : block.next();
    }
}

void RichEdit::select(int start, int length)
{
    const int end = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(cursor.position() + std::max(0, length), 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RichEdit::setRangesFormat(const QList<TextRange> &ranges, const QColor &color, std::optional<int> points)
{
    if (ranges.isEmpty())
        return;
    QTextCharFormat f;
    // As setSelColor: the window-text colour (or none) is automatic.
    f.setForeground(!color.isValid() || color.rgb() == windowTextColor().rgb() ? QBrush() : QBrush(color));
    if (points && *points > 0)
        f.setFontPointSize(std::min(*points, kMaxPointSize));
    const int end = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const TextRange &r : ranges) {
        const int start = std::clamp(r.start, 0, end);
        cursor.setPosition(start);
        cursor.setPosition(std::clamp(r.start + std::max(0, r.length), start, end), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(f);
    }
    cursor.endEditBlock();
}

} // namespace kora
