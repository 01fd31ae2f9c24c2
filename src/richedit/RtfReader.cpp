#include "richedit/RtfReader.h"

#include "richedit/EmbeddedFile.h"
#include "richedit/RtfTokenizer.h"
#include "text/CodePage.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kora::rtf {

namespace {

// Where "{\rtf" starts after a UTF-8 byte-order mark and blanks, or -1.
qsizetype rtfStart(QByteArrayView data)
{
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.sliced(i).startsWith("{\\rtf") ? i : -1;
}

} // namespace

bool looksLikeRtf(QByteArrayView data)
{
    return rtfStart(data) >= 0;
}

namespace {

constexpr int kMaxDepth = 1000;
constexpr int kMaxTableEntries = 32768;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxListLevel = 8;

enum class Dest : uint8_t {
    Body,
    Skip,
    FontTable,
    ColorTable,
    Picture,
    FieldInstruction,
    ListText,
    ListTable,
    ListOverrideTable,
    PnDefinition,
    ObjectShell,       // \object, \shp: only their result groups are shown
    ShapeInstructions, // \shpinst: only a text box's \shptxt is shown
    DrawingObject,     // \do: only a text box's \dptxbxtext is shown
    UprAnsi,           // the ANSI half of \upr; its \ud half is shown
    ObjectClass,       // \objclass of the object being read
    ObjectData,        // \objdata of the object being read
};

struct CharState
{
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;
    int color = 0;
    int background = 0;
};

struct ParaState
{
    int align = 0;
    int left = 0;
    int firstLine = 0;
    int right = 0;
    bool pnBullet = false;
    bool pnDecimal = false;
    int listOverride = 0;
    int listLevel = 0;
};

// What a group's closing ends besides the group.
enum class Closes : uint8_t { Nothing, TextBox, Note };

struct GroupState
{
    Dest dest = Dest::Body;
    Closes closes = Closes::Nothing;
    unsigned reportIfText = 0; // dropped-content flag raised when a skipped group holds text
    CharState chr;
    ParaState para;
    int uc = 1;
};

struct FontEntry
{
    QString name;
    int codePage = 0;
};

constexpr int kDecimal = 0; // \levelnfc values
constexpr int kBullet = 23;

struct ListDefinition
{
    int id = 0;
    std::vector<int> levelFormats; // \levelnfc per level
};

// A decimal list as the reader hands it out: its id and how many items it has so far.
struct ListCounter
{
    int id = 0;
    int items = 0;
};

// Event of a footnote's text, kept until the notes section at the end.
struct NoteEvent
{
    enum Kind : uint8_t { Text, Break, Image, Finish } kind = Text;
    QString text;
    RunFormat run;
    ParagraphProperties para;
    Picture picture;
};

// Records a footnote's text so that it can be written after the body.
class NoteRecorder : public Sink
{
public:
    void text(QStringView text, const RunFormat &format) override
    {
        events.push_back(NoteEvent{NoteEvent::Text, text.toString(), format, {}, {}});
        hasText = hasText || !text.trimmed().isEmpty();
    }
    void paragraphBreak(const ParagraphProperties &format) override
    {
        events.push_back(NoteEvent{NoteEvent::Break, {}, {}, format, {}});
    }
    void picture(const Picture &picture, const RunFormat &format) override
    {
        events.push_back(NoteEvent{NoteEvent::Image, {}, format, {}, picture});
        hasText = true;
    }
    void finish(const ParagraphProperties &format) override
    {
        events.push_back(NoteEvent{NoteEvent::Finish, {}, {}, format, {}});
    }

    std::vector<NoteEvent> events;
    bool hasText = false;
};

// The paragraph bookkeeping of the body, set aside while a footnote is read.
struct ParagraphState
{
    bool breakPending = false;
    ParagraphProperties pendingBreakFormat;
    bool paragraphHasContent = false;
    bool cellPending = false;
    bool labelAsText = false;
    std::vector<std::pair<QString, RunFormat>> listText;
    ListCounter pnList;
};

// The \object group being read: a file package keeps its data with the picture of its result.
struct ObjectState
{
    int depth = -1;
    bool linked = false;
    QByteArray className;
    QByteArray data;
    bool kept = false;
};

struct Field
{
    int depth = 0;
    QString instruction;
    bool resultHasText = false;
};

enum class Word : uint8_t {
    // destinations
    FontTable, ColorTable, StyleSheet, Info, Header, Footer, Footnote, Annotation, Picture, Object,
    Result, Field, FieldInstruction, FieldResult, PnText, ListText, Pn, ListTable, ListOverrideTable,
    Shape, ShapeResult, ShapePicture, NonShapePicture, DrawingObject, ShapeInstructions, ShapeText, DrawingText,
    Upr, Ud, NestedRowProperties, ObjectClass, ObjectData, SkipSilently,
    ObjectLinked,
    // document
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, Uc, U,
    // fonts and colours
    Font, FontCharset, CodePage, Red, Green, Blue,
    // character
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Color, Highlight, Super, Sub,
    NoSuperSub, Hidden,
    // paragraph
    Pard, Par, Line, Tab, Sect, Page, AlignLeft, AlignRight, AlignCenter, AlignJustify, FirstIndent,
    LeftIndent, RightIndent, PnLevelBullet, PnLevelNumbered, PnDecimal, PnOtherNumbering, ListOverrideIndex,
    ListLevel, Cell, Row,
    // lists
    List, ListLevelDefinition, LevelFormat, ListId, ListOverride,
    // pictures
    PngBlip, JpegBlip, EmfBlip, WmfBlip, DibBlip, DeviceBitmap, OtherPicture, PicWidth, PicHeight,
    PicGoalWidth, PicGoalHeight, PicScaleX, PicScaleY, BitsPerPixel, Planes, WidthBytes,
    // special characters
    Character, FootnoteNumber,
};

struct WordInfo
{
    Word word;
    char16_t character = 0;
};

const std::unordered_map<std::string_view, WordInfo> &wordTable()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        auto add = [&t](std::string_view name, Word w, char16_t ch = 0) { t.emplace(name, WordInfo{w, ch}); };
        add("fonttbl", Word::FontTable);
        add("colortbl", Word::ColorTable);
        add("stylesheet", Word::StyleSheet);
        add("info", Word::Info);
        for (auto name : {"header", "headerl", "headerr", "headerf"})
            add(name, Word::Header);
        for (auto name : {"footer", "footerl", "footerr", "footerf"})
            add(name, Word::Footer);
        add("footnote", Word::Footnote);
        add("annotation", Word::Annotation);
        add("pict", Word::Picture);
        add("object", Word::Object);
        add("objclass", Word::ObjectClass);
        add("objdata", Word::ObjectData);
        add("objlink", Word::ObjectLinked);
        add("result", Word::Result);
        add("field", Word::Field);
        add("fldinst", Word::FieldInstruction);
        add("fldrslt", Word::FieldResult);
        add("pntext", Word::PnText);
        add("listtext", Word::ListText);
        add("pn", Word::Pn);
        add("listtable", Word::ListTable);
        add("listoverridetable", Word::ListOverrideTable);
        add("shp", Word::Shape);
        add("shpgrp", Word::Shape);
        add("shprslt", Word::ShapeResult);
        add("shppict", Word::ShapePicture);
        add("nesttableprops", Word::NestedRowProperties);
        add("nonshppict", Word::NonShapePicture);
        add("do", Word::DrawingObject);
        add("shpinst", Word::ShapeInstructions);
        add("shptxt", Word::ShapeText);
        add("dptxbxtext", Word::DrawingText);
        add("upr", Word::Upr);
        add("ud", Word::Ud);
        // Destinations that hold nothing a reader shows.
        for (auto name : {"generator", "xmlnstbl", "themedata", "colorschememapping", "datastore", "latentstyles",
                          "rsidtbl", "mmathPr", "defchp", "defpap", "wgrffmtfilter", "pgdsctbl", "bkmkstart",
                          "bkmkend", "blipuid", "picprop", "panose", "falt", "fname", "listpicture",
                          "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "fontemb", "fontfile", "revtbl", "userprops",
                          "docvar", "protusertbl", "passwordhash", "pnseclvl", "nonesttables",
                          "objname", "oleclsid", "expandedcolortbl", "hl", "hlinkbase",
                          "hlloc", "hlsrc", "hlfr", "formfield", "datafield", "ffname", "xe", "tc", "atnid",
                          "atnauthor", "atndate", "atnicn", "atnparent", "atnref", "atntime", "oldcprops",
                          "oldpprops", "oldsprops", "oldtprops", "pgptbl", "template", "filetbl", "keycode",
                          "listname", "leveltext", "levelnumbers", "pntxta", "pntxtb", "txe", "comment", "private",
                          "password", "factoidname", "fldtype", "mhtmltag", "htmltag", "background", "ebcstart",
                          "ebcend", "xmlattrname", "xmlattrvalue", "xmlclose", "xmlname", "xmlopen", "sp", "sn",
                          "sv", "svb", "gridtbl", "ownerhash", "lsdlockedexcept", "propname", "staticval", "buptim",
                          "creatim", "printim", "revtim", "protstart", "protend", "atrfstart", "atrfend",
                          "fldtitle", "fchars", "lchars"}) {
            add(name, Word::SkipSilently);
        }

        add("ansi", Word::Ansi);
        add("mac", Word::Mac);
        add("pc", Word::Pc);
        add("pca", Word::Pca);
        add("ansicpg", Word::AnsiCodePage);
        add("deff", Word::DefaultFont);
        add("uc", Word::Uc);
        add("u", Word::U);

        add("f", Word::Font);
        add("fcharset", Word::FontCharset);
        add("cpg", Word::CodePage);
        add("red", Word::Red);
        add("green", Word::Green);
        add("blue", Word::Blue);

        add("plain", Word::Plain);
        add("b", Word::Bold);
        add("i", Word::Italic);
        for (auto name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
                          "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
                          "ulwave"}) {
            add(name, Word::Underline);
        }
        add("ulnone", Word::UnderlineNone);
        add("strike", Word::Strike);
        add("striked", Word::Strike);
        add("fs", Word::FontSize);
        add("cf", Word::Color);
        add("highlight", Word::Highlight);
        add("cb", Word::Highlight);
        add("chcbpat", Word::Highlight);
        add("super", Word::Super);
        add("sub", Word::Sub);
        add("nosupersub", Word::NoSuperSub);
        add("v", Word::Hidden);

        add("pard", Word::Pard);
        add("par", Word::Par);
        add("line", Word::Line);
        add("tab", Word::Tab);
        add("sect", Word::Sect);
        add("page", Word::Page);
        add("ql", Word::AlignLeft);
        add("qr", Word::AlignRight);
        add("qc", Word::AlignCenter);
        add("qj", Word::AlignJustify);
        add("qd", Word::AlignJustify);
        add("fi", Word::FirstIndent);
        add("li", Word::LeftIndent);
        add("ri", Word::RightIndent);
        add("pnlvlblt", Word::PnLevelBullet);
        add("pnlvlbody", Word::PnLevelNumbered);
        add("pnlvlcont", Word::PnLevelNumbered);
        add("pnlvl", Word::PnLevelNumbered);
        add("pndec", Word::PnDecimal);
        for (auto name : {"pnucltr", "pnlcltr", "pnucrm", "pnlcrm", "pncard", "pnord", "pnordt"})
            add(name, Word::PnOtherNumbering);
        add("ls", Word::ListOverrideIndex);
        add("ilvl", Word::ListLevel);
        add("cell", Word::Cell);
        add("nestcell", Word::Cell);
        add("row", Word::Row);
        add("nestrow", Word::Row);

        add("list", Word::List);
        add("listlevel", Word::ListLevelDefinition);
        add("levelnfc", Word::LevelFormat);
        add("levelnfcn", Word::LevelFormat);
        add("listid", Word::ListId);
        add("listoverride", Word::ListOverride);

        add("pngblip", Word::PngBlip);
        add("jpegblip", Word::JpegBlip);
        add("emfblip", Word::EmfBlip);
        add("wmetafile", Word::WmfBlip);
        add("dibitmap", Word::DibBlip);
        add("wbitmap", Word::DeviceBitmap);
        add("macpict", Word::OtherPicture);
        add("pmmetafile", Word::OtherPicture);
        add("picw", Word::PicWidth);
        add("pich", Word::PicHeight);
        add("picwgoal", Word::PicGoalWidth);
        add("pichgoal", Word::PicGoalHeight);
        add("picscalex", Word::PicScaleX);
        add("picscaley", Word::PicScaleY);
        add("wbmbitspixel", Word::BitsPerPixel);
        add("wbmplanes", Word::Planes);
        add("wbmwidthbytes", Word::WidthBytes);

        add("emdash", Word::Character, u'\u2014');
        add("endash", Word::Character, u'\u2013');
        add("emspace", Word::Character, u'\u2003');
        add("enspace", Word::Character, u'\u2002');
        add("qmspace", Word::Character, u'\u2005');
        add("bullet", Word::Character, u'\u2022');
        add("lquote", Word::Character, u'\u2018');
        add("rquote", Word::Character, u'\u2019');
        add("ldblquote", Word::Character, u'\u201C');
        add("rdblquote", Word::Character, u'\u201D');
        add("zwj", Word::Character, u'\u200D');
        add("zwnj", Word::Character, u'\u200C');
        add("zwbo", Word::Character, u'\u200B');
        add("ltrmark", Word::Character, u'\u200E');
        add("rtlmark", Word::Character, u'\u200F');
        add("chftn", Word::FootnoteNumber);
        return t;
    }();
    return table;
}

int clampInt(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

// Indents beyond 22 inches are nonsense; keeping them bounded keeps layout sane.
constexpr int kMaxIndentTwips = 31680;

class Reader
{
public:
    Reader(QByteArrayView data, Sink &sink)
        : m_tokens(data)
        , m_sink(sink)
        , m_out(&sink)
    {
        m_stack.reserve(64);
        m_stack.push_back(GroupState{});
    }

    ReadReport run();

private:
    GroupState &state() { return m_stack.back(); }
    const GroupState &state() const { return m_stack.back(); }

    void openGroup();
    void closeGroup();
    void controlWord(const Token &t);
    void controlSymbol(char symbol);
    void textBytes(std::string_view bytes);
    void hexByte(uint8_t byte);
    void binary(std::string_view bytes);

    void enterDestination(Word word);
    void charProperty(Word word, const Token &t);
    void paraProperty(Word word, const Token &t);
    void pictureProperty(Word word, const Token &t);
    void listProperty(Word word, const Token &t);
    void fontTableWord(Word word, const Token &t);

    // Visible content.
    void appendBodyBytes(const char *bytes, qsizetype length);
    void appendChar(char32_t ch);
    void appendText(QStringView text);
    void flushBytes();
    void flushText();
    void beforeContent();
    void flushListText();
    void paragraphBreak(bool onlyAfterContent);
    void emitPicture();
    void appendHex(std::string_view bytes, QByteArray &out);

    // Text boxes and footnotes.
    void startTextBox();
    void startNote();
    void endNote();
    void writeNotes(const ParagraphProperties &lastBodyParagraph);

    int codePageFor(int font) const;
    const codepage::Decoder &decoder(int codePage);
    RunFormat currentRunFormat();
    ParagraphProperties currentParaFormat() const;
    // The format of the paragraph that ends now; a numbered one becomes the next item of its list.
    ParagraphProperties endingParaFormat();
    int levelFormat(int override, int level) const;
    int nextItemNumber(const ParagraphProperties &format) const;
    void flushFontNameBytes();
    void commitFontEntry();

    Tokenizer m_tokens;
    Sink &m_sink;
    Sink *m_out; // the document's sink, or the recorder of the footnote being read
    std::vector<GroupState> m_stack;
    ReadReport m_report;
    // Groups nested past kMaxDepth are read as part of the deepest group kept; its state is
    // restored when they close. A destination among them is skipped until its group closes.
    int m_flatDepth = 0;
    int m_flatSkipDepth = 0;
    GroupState m_flatSaved;
    bool m_starPending = false;
    bool m_atGroupStart = false; // the last token opened a group
    bool m_finished = false;

    int m_documentCodePage = codepage::kWindows1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    std::vector<QRgb> m_colors;
    std::vector<bool> m_colorIsAuto;
    std::map<int, std::unique_ptr<codepage::Decoder>> m_decoders;

    // Font table entry under construction.
    int m_fontId = 0;
    int m_fontCodePage = 0;
    QByteArray m_fontNameBytes; // not yet decoded
    QString m_fontName;
    bool m_fontOpen = false;
    // Colour table entry under construction.
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    // Pending text of the current run.
    QByteArray m_pendingBytes;
    QString m_decoded; // flushBytes' scratch buffer
    int m_pendingCodePage = 0;
    QString m_text;
    RunFormat m_textFormat;
    char16_t m_highSurrogate = 0;
    int m_ucSkip = 0;

    // Paragraph bookkeeping.
    bool m_breakPending = false;
    ParagraphProperties m_pendingBreakFormat;
    ParagraphProperties m_finalParaFormat;
    bool m_haveFinalParaFormat = false;
    bool m_paragraphHasContent = false;
    bool m_cellPending = false;
    bool m_labelAsText = false; // the paragraph's list label is kept as text: it is no list item
    std::vector<std::pair<QString, RunFormat>> m_listText;

    // Lists.
    std::vector<ListDefinition> m_lists;
    std::unordered_map<int, int> m_overrides; // \ls -> \listid
    int m_overrideListId = 0;
    bool m_inOverride = false;
    std::map<std::pair<int, int>, ListCounter> m_tableLists; // (\ls, level) -> its decimal list
    ListCounter m_pnList; // the \pn list of the paragraphs just before; id 0: none
    int m_nextListId = 1;

    // Shapes and drawing objects open: the depth of their group and whether they held text.
    std::vector<std::pair<int, bool>> m_shapes;

    // Footnotes: the one being read (its recorder, number and the body's paragraph state) and
    // those read, for the notes section.
    std::vector<std::unique_ptr<NoteRecorder>> m_notes;
    NoteRecorder *m_note = nullptr;
    ParagraphState m_bodyParagraph;
    int m_noteCount = 0;

    // Pictures and fields.
    Picture m_picture;
    int m_pictureDepth = -1;
    ObjectState m_object;
    int m_hexNibble = -1;
    std::vector<Field> m_fields;
};

ReadReport Reader::run()
{
    for (;;) {
        const Token t = m_tokens.next();
        if (t.type == TokenType::End)
            break;
        if (m_flatSkipDepth > 0 && t.type != TokenType::GroupOpen && t.type != TokenType::GroupClose)
            continue;
        // Some writers put \u values back to back without fallbacks; a \u is never a fallback.
        if (m_ucSkip > 0 && t.type == TokenType::ControlWord && t.word == "u")
            m_ucSkip = 0;
        if (m_ucSkip > 0 && t.type != TokenType::GroupOpen && t.type != TokenType::GroupClose) {
            if (t.type == TokenType::Text) {
                const qsizetype skip = std::min<qsizetype>(m_ucSkip, qsizetype(t.word.size()));
                m_ucSkip -= int(skip);
                if (skip < qsizetype(t.word.size()))
                    textBytes(t.word.substr(size_t(skip)));
            } else {
                --m_ucSkip;
            }
            continue;
        }
        switch (t.type) {
        case TokenType::GroupOpen:
            m_ucSkip = 0;
            openGroup();
            break;
        case TokenType::GroupClose:
            m_ucSkip = 0;
            closeGroup();
            break;
        case TokenType::ControlWord:
            controlWord(t);
            m_starPending = false;
            break;
        case TokenType::ControlSymbol:
            controlSymbol(t.symbol);
            break;
        case TokenType::HexByte:
            hexByte(t.byte);
            break;
        case TokenType::Text:
            textBytes(t.word);
            break;
        case TokenType::Binary:
            binary(t.word);
            break;
        case TokenType::End:
            break;
        }
        m_atGroupStart = t.type == TokenType::GroupOpen;
        if (m_finished)
            break;
    }
    if (!m_finished)
        m_report.truncated = m_stack.size() > 1 || m_flatDepth > 0;
    // Unwind whatever the data left open so pictures, fields and footnotes in progress complete.
    while (m_stack.size() > 1 || m_flatDepth > 0)
        closeGroup();
    // A footnote begun outside any group (after the document's group closed) ends with the data.
    if (m_note)
        endNote();
    flushBytes();
    flushText();
    flushListText();
    const ParagraphProperties last = m_breakPending          ? m_pendingBreakFormat
                            : m_haveFinalParaFormat ? m_finalParaFormat
                                                    : endingParaFormat();
    if (m_notes.empty())
        m_sink.finish(last);
    else
        writeNotes(last);
    m_report.badHex = m_tokens.sawBadHex();
    return m_report;
}

void Reader::openGroup()
{
    flushBytes();
    m_starPending = false;
    if (m_stack.size() >= kMaxDepth) {
        if (m_flatDepth == 0) {
            m_flatSaved = state();
            m_report.dropped |= DroppedDeepGroups;
        }
        ++m_flatDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
    state().closes = Closes::Nothing;
}

void Reader::closeGroup()
{
    if (m_flatDepth > 0) {
        flushBytes();
        if (m_flatSkipDepth == m_flatDepth)
            m_flatSkipDepth = 0;
        if (--m_flatDepth == 0)
            state() = m_flatSaved;
        return;
    }
    if (m_stack.size() <= 1) {
        // The root group is closed: anything after it is not part of the document.
        m_report.extraClose = true;
        m_finished = true;
        return;
    }
    flushBytes();
    const GroupState closing = m_stack.back();
    const int depth = int(m_stack.size());

    if (closing.dest == Dest::FontTable)
        commitFontEntry();
    if (depth == m_pictureDepth) {
        m_pictureDepth = -1;
        emitPicture();
    }
    if (depth == m_object.depth) {
        if (!m_object.kept)
            m_report.dropped |= DroppedObjects;
        m_object = ObjectState{};
    }
    if (!m_fields.empty() && m_fields.back().depth == depth) {
        const Field field = m_fields.back();
        m_fields.pop_back();
        const bool hyperlink = field.instruction.trimmed().startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive);
        if (!hyperlink && field.resultHasText)
            m_report.dropped |= DroppedFields;
    }
    if (closing.dest == Dest::ListOverrideTable)
        m_inOverride = false;
    if (closing.closes == Closes::TextBox) {
        // The box's last paragraph ends with it; the text after the anchor starts a new one.
        paragraphBreak(true);
    } else if (closing.closes == Closes::Note) {
        endNote();
    }
    if (!m_shapes.empty() && m_shapes.back().first == depth) {
        m_report.dropped |= m_shapes.back().second ? DroppedTextBoxes : DroppedDrawings;
        m_shapes.pop_back();
    }
    if (depth == 2 && !m_note) {
        // The document group ends: its last paragraph keeps the properties it had inside.
        flushListText();
        m_finalParaFormat = endingParaFormat();
        m_haveFinalParaFormat = true;
    }

    m_stack.pop_back();
    if (closing.dest == Dest::PnDefinition) {
        // \pn describes the paragraph it stands in, not just its own group.
        state().para.pnBullet = closing.para.pnBullet;
        state().para.pnDecimal = closing.para.pnDecimal;
    }
}

void Reader::flushFontNameBytes()
{
    if (m_fontNameBytes.isEmpty())
        return;
    decoder(m_fontCodePage).decodeAppend(m_fontNameBytes.constData(), m_fontNameBytes.size(), m_fontName);
    m_fontNameBytes.clear();
}

void Reader::commitFontEntry()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    flushFontNameBytes();
    QString name;
    for (qsizetype i = 0; i < m_fontName.size(); ++i) {
        const QChar ch = m_fontName.at(i);
        if (ch.isHighSurrogate() && i + 1 < m_fontName.size() && m_fontName.at(i + 1).isLowSurrogate()) {
            name += ch;
            name += m_fontName.at(++i);
        } else if (!ch.isSurrogate() && ch.unicode() >= 0x20) {
            name += ch;
        }
    }
    m_fontName.clear();
    if (m_fonts.size() < kMaxTableEntries)
        m_fonts.insert(m_fontId, FontEntry{name.trimmed(), m_fontCodePage});
}

void Reader::controlWord(const Token &t)
{
    flushBytes();
    const auto &table = wordTable();
    const auto it = table.find(t.word);
    if (it == table.end()) {
        if (m_starPending && state().dest != Dest::Skip) {
            if (m_flatDepth > 0) {
                m_flatSkipDepth = m_flatDepth;
                return;
            }
            // An optional destination this reader does not know. Its text is lost content only
            // where text is shown; inside tables of fonts, lists and the like it is not.
            GroupState &s = state();
            s.reportIfText = s.dest == Dest::Body || s.dest == Dest::ListText ? unsigned(DroppedUnknown) : 0u;
            s.dest = Dest::Skip;
        }
        return;
    }
    const WordInfo info = it->second;
    const Word w = info.word;
    const Dest dest = state().dest;

    if (w <= Word::SkipSilently) {
        if (m_flatDepth > 0) {
            if (m_flatSkipDepth == 0)
                m_flatSkipDepth = m_flatDepth;
            return;
        }
        enterDestination(w);
        return;
    }
    switch (w) {
    case Word::ObjectLinked:
        if (dest == Dest::ObjectShell && m_object.depth == int(m_stack.size()))
            m_object.linked = true;
        return;
    case Word::Ansi: m_documentCodePage = codepage::kWindows1252; return;
    case Word::Mac: m_documentCodePage = 10000; return;
    case Word::Pc: m_documentCodePage = 437; return;
    case Word::Pca: m_documentCodePage = 850; return;
    case Word::AnsiCodePage:
        if (t.hasParam && codepage::isSupported(t.param))
            m_documentCodePage = t.param;
        return;
    case Word::DefaultFont:
        if (t.hasParam)
            m_defaultFont = t.param;
        return;
    case Word::Uc:
        state().uc = t.hasParam ? clampInt(t.param, 0, 10) : 1;
        return;
    case Word::U: {
        if (!t.hasParam || dest == Dest::Skip)
            return;
        int value = t.param;
        if (value < 0)
            value += 65536;
        if (value >= 0 && value <= 0xFFFF) {
            if (dest == Dest::FontTable) {
                if (m_fontOpen && m_fontName.size() + m_fontNameBytes.size() < 256) {
                    flushFontNameBytes();
                    m_fontName += QChar(char16_t(value));
                }
            } else {
                appendChar(char32_t(value));
            }
        }
        m_ucSkip = state().uc;
        return;
    }
    case Word::Character:
        appendChar(info.character);
        return;
    case Word::FootnoteNumber:
        if (dest == Dest::Body || dest == Dest::ListText)
            appendText(QString::number(m_note ? m_noteCount : m_noteCount + 1));
        return;
    default:
        break;
    }

    switch (dest) {
    case Dest::FontTable:
        fontTableWord(w, t);
        return;
    case Dest::ColorTable:
        if (w == Word::Red || w == Word::Green || w == Word::Blue) {
            const int v = clampInt(t.param, 0, 255);
            (w == Word::Red ? m_red : w == Word::Green ? m_green : m_blue) = v;
            m_colorSet = true;
        }
        return;
    case Dest::Picture:
        pictureProperty(w, t);
        return;
    case Dest::ListTable:
    case Dest::ListOverrideTable:
        listProperty(w, t);
        return;
    case Dest::PnDefinition: {
        ParaState &p = state().para;
        if (w == Word::PnLevelBullet) {
            p.pnBullet = true;
            p.pnDecimal = false;
        } else if (w == Word::PnLevelNumbered) {
            p.pnBullet = false;
        } else if (w == Word::PnDecimal || w == Word::PnOtherNumbering) {
            p.pnDecimal = w == Word::PnDecimal && !p.pnBullet;
        }
        return;
    }
    default:
        break;
    }
    charProperty(w, t);
    paraProperty(w, t);
}

void Reader::fontTableWord(Word w, const Token &t)
{
    if (w == Word::Pard || w == Word::Par) {
        // A font table holds no paragraphs: its writer forgot to close it and the body began.
        commitFontEntry();
        state().dest = Dest::Body;
        charProperty(w, t);
        paraProperty(w, t);
        return;
    }
    if (w == Word::Font) {
        commitFontEntry();
        m_fontOpen = true;
        m_fontId = t.param;
        m_fontCodePage = m_documentCodePage;
        m_fontNameBytes.clear();
        m_fontName.clear();
    } else if (w == Word::FontCharset) {
        flushFontNameBytes();
        m_fontCodePage = codepage::forCharset(t.param, m_documentCodePage);
    } else if (w == Word::CodePage && t.hasParam && codepage::isSupported(t.param)) {
        flushFontNameBytes();
        m_fontCodePage = t.param;
    }
}

void Reader::enterDestination(Word w)
{
    GroupState &s = state();
    const bool shown = s.dest == Dest::Body || s.dest == Dest::ListText;
    auto skip = [&s](unsigned report) {
        s.dest = Dest::Skip;
        s.reportIfText = report;
    };
    if (s.dest == Dest::Skip)
        return;
    flushBytes();
    switch (w) {
    case Word::FontTable: s.dest = Dest::FontTable; break;
    case Word::ColorTable: s.dest = Dest::ColorTable; break;
    case Word::StyleSheet:
    case Word::Info:
    case Word::SkipSilently: skip(0); break;
    case Word::Header: skip(DroppedHeaders); break;
    case Word::Footer: skip(DroppedFooters); break;
    case Word::Footnote:
        if (s.dest == Dest::Body && !m_note)
            startNote();
        else
            skip(DroppedFootnotes);
        break;
    case Word::Annotation: skip(DroppedComments); break;
    case Word::Picture:
        if (!shown || m_pictureDepth >= 0) {
            skip(0);
            break;
        }
        s.dest = Dest::Picture;
        m_picture = Picture{};
        m_pictureDepth = int(m_stack.size());
        m_hexNibble = -1;
        break;
    case Word::Object:
        if (m_object.depth >= 0 || !shown)
            m_report.dropped |= DroppedObjects;
        else
            m_object.depth = int(m_stack.size());
        s.dest = Dest::ObjectShell;
        break;
    case Word::ObjectClass:
    case Word::ObjectData:
        if (s.dest != Dest::ObjectShell || m_object.depth < 0) {
            skip(0);
            break;
        }
        s.dest = w == Word::ObjectClass ? Dest::ObjectClass : Dest::ObjectData;
        m_hexNibble = -1;
        break;
    case Word::Shape:
    case Word::DrawingObject:
        if (!shown && s.dest != Dest::ObjectShell && s.dest != Dest::ShapeInstructions) {
            skip(0);
            break;
        }
        m_shapes.emplace_back(int(m_stack.size()), false);
        s.dest = w == Word::Shape ? Dest::ObjectShell : Dest::DrawingObject;
        break;
    case Word::ShapeInstructions:
        s.dest = s.dest == Dest::ObjectShell && !m_shapes.empty() ? Dest::ShapeInstructions : Dest::Skip;
        s.reportIfText = 0;
        break;
    case Word::ShapeText:
        if (s.dest == Dest::ShapeInstructions)
            startTextBox();
        else
            skip(0);
        break;
    case Word::DrawingText:
        if (s.dest == Dest::DrawingObject)
            startTextBox();
        else
            skip(0);
        break;
    case Word::Result:
        if (s.dest == Dest::ObjectShell)
            s.dest = Dest::Body;
        break;
    case Word::ShapeResult:
        // A shape whose text was read already shows it; its result repeats it as a drawing.
        if (s.dest != Dest::ObjectShell)
            break;
        if (!m_shapes.empty() && m_shapes.back().second)
            skip(0);
        else
            s.dest = Dest::Body;
        break;
    case Word::ShapePicture:
        break;
    case Word::NestedRowProperties:
        // Holds the nested row's properties and the \nestrow that ends it, which must be seen;
        // some writers put the cells' text in it as well.
        break;
    case Word::NonShapePicture: skip(0); break;
    case Word::Field:
        if (shown)
        {
            Field field;
            field.depth = int(m_stack.size());
            m_fields.push_back(field);
        }
        break;
    case Word::FieldInstruction: s.dest = Dest::FieldInstruction; break;
    case Word::FieldResult:
        if (!m_fields.empty())
            s.dest = Dest::Body;
        break;
    case Word::PnText:
    case Word::ListText:
        if (s.dest == Dest::Body) {
            flushText();
            s.dest = Dest::ListText;
        }
        break;
    case Word::Pn: s.dest = Dest::PnDefinition; break;
    case Word::ListTable: s.dest = Dest::ListTable; break;
    case Word::ListOverrideTable: s.dest = Dest::ListOverrideTable; break;
    case Word::Upr:
        if (shown)
            s.dest = Dest::UprAnsi;
        break;
    case Word::Ud:
        if (s.dest == Dest::UprAnsi)
            s.dest = Dest::Body;
        break;
    default: break;
    }
}

void Reader::startTextBox()
{
    for (auto &shape : m_shapes)
        shape.second = true;
    // The box's text stands in paragraphs of its own where the box is anchored.
    paragraphBreak(true);
    GroupState &s = state();
    s.dest = Dest::Body;
    s.closes = Closes::TextBox;
}

void Reader::startNote()
{
    flushText();
    m_bodyParagraph = ParagraphState{m_breakPending, m_pendingBreakFormat, m_paragraphHasContent, m_cellPending,
                                     m_labelAsText, std::move(m_listText), m_pnList};
    m_listText.clear();
    m_breakPending = false;
    m_paragraphHasContent = false;
    m_cellPending = false;
    m_labelAsText = false;
    m_pnList = ListCounter{};
    m_notes.push_back(std::make_unique<NoteRecorder>());
    m_note = m_notes.back().get();
    m_out = m_note;
    ++m_noteCount;
    GroupState &s = state();
    s.dest = Dest::Body;
    s.closes = Closes::Note;
}

void Reader::endNote()
{
    flushBytes();
    flushText();
    flushListText();
    m_note->finish(m_breakPending ? m_pendingBreakFormat : endingParaFormat());
    if (m_note->hasText)
        m_report.dropped |= DroppedFootnotes;
    else
        m_notes.pop_back();
    m_note = nullptr;
    m_out = &m_sink;
    ParagraphState &b = m_bodyParagraph;
    m_breakPending = b.breakPending;
    m_pendingBreakFormat = b.pendingBreakFormat;
    m_paragraphHasContent = b.paragraphHasContent;
    m_cellPending = b.cellPending;
    m_labelAsText = b.labelAsText;
    m_listText = std::move(b.listText);
    m_pnList = b.pnList;
}

void Reader::writeNotes(const ParagraphProperties &lastBodyParagraph)
{
    // The notes follow the body after an empty paragraph, each from a paragraph of its own.
    m_sink.paragraphBreak(lastBodyParagraph);
    m_sink.paragraphBreak(ParagraphProperties{});
    for (size_t n = 0; n < m_notes.size(); ++n) {
        const bool lastNote = n + 1 == m_notes.size();
        for (const NoteEvent &e : m_notes[n]->events) {
            switch (e.kind) {
            case NoteEvent::Text: m_sink.text(e.text, e.run); break;
            case NoteEvent::Break: m_sink.paragraphBreak(e.para); break;
            case NoteEvent::Image: m_sink.picture(e.picture, e.run); break;
            case NoteEvent::Finish:
                if (lastNote)
                    m_sink.finish(e.para);
                else
                    m_sink.paragraphBreak(e.para);
                break;
            }
        }
    }
}

void Reader::charProperty(Word w, const Token &t)
{
    CharState &c = state().chr;
    const bool on = !t.hasParam || t.param != 0;
    switch (w) {
    case Word::Plain: {
        const int font = m_defaultFont;
        c = CharState{};
        c.font = font;
        break;
    }
    case Word::Font: c.font = t.param; break;
    case Word::Bold: c.bold = on; break;
    case Word::Italic: c.italic = on; break;
    case Word::Underline: c.underline = on; break;
    case Word::UnderlineNone: c.underline = false; break;
    case Word::Strike: c.strike = on; break;
    case Word::Hidden: c.hidden = on; break;
    case Word::FontSize: c.halfPoints = t.hasParam && t.param > 0 ? clampInt(t.param, 2, 3276) : kDefaultHalfPoints; break;
    case Word::Color: c.color = std::max(0, t.param); break;
    case Word::Highlight: c.background = std::max(0, t.param); break;
    case Word::Super: c.vertical = 2; break;
    case Word::Sub: c.vertical = 1; break;
    case Word::NoSuperSub: c.vertical = 0; break;
    default: break;
    }
}

void Reader::paraProperty(Word w, const Token &t)
{
    ParaState &p = state().para;
    const Dest dest = state().dest;
    const bool body = dest == Dest::Body;
    switch (w) {
    case Word::Pard: p = ParaState{}; break;
    case Word::AlignLeft: p.align = 0; break;
    case Word::AlignRight: p.align = 1; break;
    case Word::AlignCenter: p.align = 2; break;
    case Word::AlignJustify: p.align = 3; break;
    case Word::FirstIndent: p.firstLine = clampInt(t.param, -kMaxIndentTwips, kMaxIndentTwips); break;
    case Word::LeftIndent: p.left = clampInt(t.param, -kMaxIndentTwips, kMaxIndentTwips); break;
    case Word::RightIndent: p.right = clampInt(t.param, -kMaxIndentTwips, kMaxIndentTwips); break;
    case Word::ListOverrideIndex: p.listOverride = t.param; break;
    case Word::ListLevel: p.listLevel = clampInt(t.param, 0, kMaxListLevel); break;
    case Word::Par:
        if (body)
            paragraphBreak(false);
        break;
    case Word::Sect:
    case Word::Page:
        if (body)
            paragraphBreak(true);
        break;
    case Word::Line:
        appendChar(0x2028);
        break;
    case Word::Tab:
        appendChar('\t');
        break;
    case Word::Cell:
        if (body) {
            m_report.dropped |= DroppedTables;
            beforeContent();
            flushText();
            m_cellPending = true;
        }
        break;
    case Word::Row:
        if (body) {
            m_cellPending = false;
            paragraphBreak(false);
        }
        break;
    default: break;
    }
}

void Reader::pictureProperty(Word w, const Token &t)
{
    Picture &p = m_picture;
    const int v = t.hasParam ? t.param : 0;
    switch (w) {
    case Word::PngBlip: p.kind = PictureKind::Png; break;
    case Word::JpegBlip: p.kind = PictureKind::Jpeg; break;
    case Word::EmfBlip: p.kind = PictureKind::Emf; break;
    case Word::WmfBlip:
        p.kind = PictureKind::Wmf;
        p.metafileMode = t.hasParam ? v : 1;
        break;
    case Word::DibBlip: p.kind = PictureKind::Dib; break;
    case Word::DeviceBitmap: p.kind = PictureKind::DeviceBitmap; break;
    case Word::OtherPicture: p.kind = PictureKind::Other; break;
    case Word::PicWidth: p.width = clampInt(v, 0, 1 << 20); break;
    case Word::PicHeight: p.height = clampInt(v, 0, 1 << 20); break;
    case Word::PicGoalWidth: p.goalWidth = clampInt(v, 0, 1 << 24); break;
    case Word::PicGoalHeight: p.goalHeight = clampInt(v, 0, 1 << 24); break;
    case Word::PicScaleX: p.scaleX = clampInt(v, 1, 10000); break;
    case Word::PicScaleY: p.scaleY = clampInt(v, 1, 10000); break;
    case Word::BitsPerPixel: p.bitsPerPixel = clampInt(v, 1, 32); break;
    case Word::Planes: p.planes = clampInt(v, 1, 32); break;
    case Word::WidthBytes: p.widthBytes = clampInt(v, 0, 1 << 24); break;
    default: break;
    }
}

void Reader::listProperty(Word w, const Token &t)
{
    if (state().dest == Dest::ListTable) {
        switch (w) {
        case Word::List:
            if (m_lists.size() < size_t(kMaxTableEntries))
                m_lists.push_back(ListDefinition{});
            break;
        case Word::ListLevelDefinition:
            if (!m_lists.empty() && m_lists.back().levelFormats.size() < 9)
                m_lists.back().levelFormats.push_back(0);
            break;
        case Word::LevelFormat:
            if (!m_lists.empty() && !m_lists.back().levelFormats.empty())
                m_lists.back().levelFormats.back() = t.param;
            break;
        case Word::ListId:
            if (!m_lists.empty())
                m_lists.back().id = t.param;
            break;
        default: break;
        }
        return;
    }
    switch (w) {
    case Word::ListOverride:
        m_inOverride = true;
        m_overrideListId = 0;
        break;
    case Word::ListId:
        if (m_inOverride)
            m_overrideListId = t.param;
        break;
    case Word::ListOverrideIndex:
        if (m_inOverride && m_overrides.size() < size_t(kMaxTableEntries))
            m_overrides[t.param] = m_overrideListId;
        break;
    default: break;
    }
}

void Reader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        // Only "{\*" marks an optional destination; a stray \* elsewhere must not hide text.
        m_starPending = m_atGroupStart;
        return;
    case '\\':
    case '{':
    case '}': {
        const char c = symbol;
        textBytes(std::string_view(&c, 1));
        return;
    }
    case '~': appendChar(0x00A0); return;
    case '-': appendChar(0x00AD); return;
    case '_': appendChar(0x2011); return;
    case '\n':
        if (state().dest == Dest::Body)
            paragraphBreak(false);
        return;
    default:
        return;
    }
}

void Reader::textBytes(std::string_view bytes)
{
    GroupState &s = state();
    switch (s.dest) {
    case Dest::Body:
    case Dest::ListText:
        appendBodyBytes(bytes.data(), qsizetype(bytes.size()));
        return;
    case Dest::FontTable:
        for (char c : bytes) {
            if (c == ';') {
                commitFontEntry();
            } else if (m_fontOpen && m_fontName.size() + m_fontNameBytes.size() < 256
                       && static_cast<unsigned char>(c) >= 0x20) {
                m_fontNameBytes.append(c);
            }
        }
        return;
    case Dest::ColorTable:
        for (char c : bytes) {
            if (c != ';')
                continue;
            if (m_colors.size() < size_t(kMaxTableEntries)) {
                m_colors.push_back(qRgb(m_red, m_green, m_blue));
                m_colorIsAuto.push_back(!m_colorSet);
            }
            m_red = m_green = m_blue = 0;
            m_colorSet = false;
        }
        return;
    case Dest::Picture:
        appendHex(bytes, m_picture.data);
        return;
    case Dest::ObjectData:
        appendHex(bytes, m_object.data);
        return;
    case Dest::ObjectClass:
        if (m_object.className.size() < 256)
            m_object.className.append(bytes.data(), qsizetype(std::min<size_t>(bytes.size(), 256)));
        return;
    case Dest::FieldInstruction:
        if (!m_fields.empty() && m_fields.back().instruction.size() < 4096)
            m_fields.back().instruction += QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
        return;
    case Dest::Skip:
        if (s.reportIfText && !bytes.empty())
            m_report.dropped |= s.reportIfText;
        return;
    default:
        return;
    }
}

void Reader::hexByte(uint8_t byte)
{
    const char c = char(byte);
    const Dest dest = state().dest;
    if (dest == Dest::Body || dest == Dest::ListText) {
        appendBodyBytes(&c, 1);
    } else if (dest == Dest::FontTable) {
        if (m_fontOpen && m_fontName.size() + m_fontNameBytes.size() < 256)
            m_fontNameBytes.append(c);
    } else if (dest == Dest::Picture) {
        m_picture.data.append(c);
    } else if (dest == Dest::ObjectData) {
        m_object.data.append(c);
    } else if (dest == Dest::Skip && state().reportIfText) {
        m_report.dropped |= state().reportIfText;
    }
}

void Reader::binary(std::string_view bytes)
{
    if (state().dest == Dest::Picture)
        m_picture.data.append(bytes.data(), qsizetype(bytes.size()));
    else if (state().dest == Dest::ObjectData)
        m_object.data.append(bytes.data(), qsizetype(bytes.size()));
}

void Reader::appendHex(std::string_view bytes, QByteArray &out)
{
    for (char c : bytes) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        if (v < 0)
            continue;
        if (m_hexNibble < 0) {
            m_hexNibble = v;
        } else {
            out.append(char(m_hexNibble * 16 + v));
            m_hexNibble = -1;
        }
    }
}

int Reader::codePageFor(int font) const
{
    const auto it = m_fonts.constFind(font < 0 ? m_defaultFont : font);
    if (it == m_fonts.constEnd())
        return m_documentCodePage;
    return it->codePage ? it->codePage : m_documentCodePage;
}

const codepage::Decoder &Reader::decoder(int codePage)
{
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end())
        it = m_decoders.emplace(codePage, std::make_unique<codepage::Decoder>(codePage)).first;
    return *it->second;
}

void Reader::appendBodyBytes(const char *bytes, qsizetype length)
{
    const CharState &c = state().chr;
    if (length <= 0)
        return;
    if (c.hidden) {
        m_report.dropped |= DroppedHidden;
        return;
    }
    const int cp = codePageFor(c.font);
    if (!m_pendingBytes.isEmpty() && cp != m_pendingCodePage)
        flushBytes();
    m_pendingCodePage = cp;
    // Control bytes carry no text; the rest goes in as whole stretches.
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x20 && b != '\t') {
            m_pendingBytes.append(bytes + start, i - start);
            start = i + 1;
        }
    }
    m_pendingBytes.append(bytes + start, length - start);
    if (!decoder(cp).isDoubleByte())
        flushBytes();
}

void Reader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    // The buffers keep their capacity: text comes in many short runs.
    QString &decoded = m_decoded;
    decoded.resize(0);
    decoder(m_pendingCodePage).decodeAppend(m_pendingBytes.constData(), m_pendingBytes.size(), decoded);
    m_pendingBytes.resize(0);
    // Converters stand in control characters for bytes they cannot map (U+001A); those and the
    // characters a document gives a meaning of its own are treated as appendChar treats them.
    for (QChar &ch : decoded) {
        const char16_t u = ch.unicode();
        if ((u < 0x20 && u != '\t') || u == 0xFFFC)
            ch = QChar(0xFFFD);
        else if (u == 0x2029)
            ch = QChar(0x2028);
    }
    appendText(decoded);
}

void Reader::appendChar(char32_t ch)
{
    const Dest dest = state().dest;
    if (dest != Dest::Body && dest != Dest::ListText) {
        if (dest == Dest::Skip && state().reportIfText)
            m_report.dropped |= state().reportIfText;
        return;
    }
    if (state().chr.hidden) {
        m_report.dropped |= DroppedHidden;
        return;
    }
    flushBytes();
    const char16_t unit = char16_t(ch);
    if (QChar::isHighSurrogate(unit)) {
        if (m_highSurrogate)
            appendText(u"\uFFFD");
        m_highSurrogate = unit;
        return;
    }
    char16_t pair[2];
    qsizetype n = 0;
    if (QChar::isLowSurrogate(unit)) {
        if (!m_highSurrogate) {
            pair[n++] = u'\uFFFD';
        } else {
            pair[n++] = m_highSurrogate;
            pair[n++] = unit;
            m_highSurrogate = 0;
        }
        appendText(QStringView(pair, n));
        return;
    }
    if (ch < 0x20 && ch != '\t')
        return;
    if (ch == 0xFFFC)
        ch = 0xFFFD;
    if (ch == 0x2029)
        ch = 0x2028;
    pair[n++] = char16_t(ch);
    appendText(QStringView(pair, n));
}

void Reader::appendText(QStringView text)
{
    if (text.isEmpty())
        return;
    if (m_highSurrogate) {
        // A high surrogate without its partner.
        m_highSurrogate = 0;
        appendText(u"\uFFFD");
    }
    const Dest dest = state().dest;
    if (dest == Dest::ListText) {
        const RunFormat format = currentRunFormat();
        if (!m_listText.empty() && m_listText.back().second == format)
            m_listText.back().first += text;
        else
            m_listText.emplace_back(text.toString(), format);
        return;
    }
    if (dest != Dest::Body)
        return;
    if (!m_fields.empty())
        m_fields.back().resultHasText = true;
    beforeContent();
    const RunFormat format = currentRunFormat();
    if (!m_text.isEmpty() && !(format == m_textFormat))
        flushText();
    if (m_text.isEmpty())
        m_textFormat = format;
    m_text += text;
    if (m_text.size() > 65536)
        flushText();
}

void Reader::flushText()
{
    if (m_text.isEmpty())
        return;
    m_out->text(m_text, m_textFormat);
    m_text.resize(0);
}

void Reader::beforeContent()
{
    if (m_breakPending) {
        flushText();
        m_out->paragraphBreak(m_pendingBreakFormat);
        m_breakPending = false;
    }
    if (!m_listText.empty())
        flushListText();
    if (m_cellPending) {
        m_cellPending = false;
        flushText();
        const RunFormat format = currentRunFormat();
        m_out->text(u"\t", format);
    }
    m_paragraphHasContent = true;
}

void Reader::flushListText()
{
    if (m_listText.empty())
        return;
    auto runs = std::move(m_listText);
    m_listText.clear();
    const ParagraphProperties format = currentParaFormat();
    if (format.bullet)
        return;
    QString label;
    for (const auto &run : runs)
        label += run.first;
    label = label.trimmed();
    if (format.numbered) {
        // The label is the item's number as the list generates it, or text the list cannot give
        // ("a)", "1.2.", another number): then it stays text and the paragraph is no list item.
        static const QRegularExpression number(QStringLiteral("^(\\d+)\\.?$"));
        const QRegularExpressionMatch m = number.match(label);
        if (label.isEmpty() || (m.hasMatch() && m.captured(1).toInt() == nextItemNumber(format)))
            return;
        m_labelAsText = true;
    }
    flushText();
    for (const auto &[text, run] : runs)
        m_out->text(text, run);
}

void Reader::paragraphBreak(bool onlyAfterContent)
{
    flushBytes();
    if (onlyAfterContent && !m_paragraphHasContent)
        return;
    if (m_breakPending) {
        flushText();
        m_out->paragraphBreak(m_pendingBreakFormat);
        m_breakPending = false;
    }
    flushText();
    flushListText();
    m_cellPending = false;
    m_pendingBreakFormat = endingParaFormat();
    m_breakPending = true;
    m_paragraphHasContent = false;
}

void Reader::emitPicture()
{
    if (m_picture.data.isEmpty())
        return;
    // The picture shows where its group stands; that is body text of the enclosing group.
    beforeContent();
    flushText();
    if (m_object.depth >= 0 && !m_object.kept && m_object.className.trimmed() == ole::kPackageClass &&
        !m_object.data.isEmpty()) {
        m_picture.isObject = true;
        m_picture.objectLinked = m_object.linked;
        m_picture.objectData = m_object.data;
        m_object.kept = true;
    }
    m_out->picture(m_picture, currentRunFormat());
    m_picture = Picture{};
}

RunFormat Reader::currentRunFormat()
{
    const CharState &c = state().chr;
    RunFormat f;
    const auto font = m_fonts.constFind(c.font < 0 ? m_defaultFont : c.font);
    if (font != m_fonts.constEnd())
        f.face = font->name;
    f.halfPoints = c.halfPoints;
    f.bold = c.bold;
    f.italic = c.italic;
    f.underline = c.underline;
    f.strike = c.strike;
    f.vertical = c.vertical;
    if (c.color > 0 && size_t(c.color) < m_colors.size() && !m_colorIsAuto[size_t(c.color)]) {
        f.hasColor = true;
        f.color = m_colors[size_t(c.color)];
    }
    if (c.background > 0 && size_t(c.background) < m_colors.size() && !m_colorIsAuto[size_t(c.background)]) {
        f.hasBackground = true;
        f.background = m_colors[size_t(c.background)];
    }
    return f;
}

ParagraphProperties Reader::currentParaFormat() const
{
    const ParaState &p = state().para;
    ParagraphProperties f;
    f.align = p.align;
    f.left = p.left;
    f.firstLine = p.firstLine;
    f.right = p.right;
    const int format = p.listOverride > 0 ? levelFormat(p.listOverride, p.listLevel) : -1;
    if (format >= 0) {
        // A list-table list decides over a \pn that some writers add for older readers.
        f.bullet = format == kBullet;
        f.numbered = format == kDecimal;
        f.list = p.listOverride;
        f.level = p.listLevel;
    } else {
        f.bullet = p.pnBullet;
        f.numbered = p.pnDecimal;
    }
    f.numbered = f.numbered && !m_labelAsText;
    return f;
}

int Reader::nextItemNumber(const ParagraphProperties &format) const
{
    if (format.list > 0) {
        const auto it = m_tableLists.find({format.list, format.level});
        return it == m_tableLists.end() ? 1 : it->second.items + 1;
    }
    return m_pnList.items + 1;
}

ParagraphProperties Reader::endingParaFormat()
{
    ParagraphProperties f = currentParaFormat();
    m_labelAsText = false;
    // A \pn list runs over consecutive numbered paragraphs.
    if (!f.numbered || f.list > 0)
        m_pnList = ListCounter{};
    if (!f.numbered)
        return f;
    ListCounter *counter = &m_pnList;
    if (f.list > 0) {
        // Numbering of deeper levels starts again after an item of this level.
        for (int level = f.level + 1; level <= kMaxListLevel; ++level)
            m_tableLists.erase({f.list, level});
        counter = &m_tableLists[{f.list, f.level}];
    }
    if (counter->id == 0)
        counter->id = m_nextListId++;
    ++counter->items;
    f.list = counter->id;
    return f;
}

int Reader::levelFormat(int override, int level) const
{
    const auto it = m_overrides.find(override);
    if (it == m_overrides.end())
        return -1;
    for (const ListDefinition &list : m_lists) {
        if (list.id != it->second)
            continue;
        if (size_t(level) < list.levelFormats.size())
            return list.levelFormats[size_t(level)];
        return -1;
    }
    return -1;
}

} // namespace

ReadResult read(QByteArrayView data, Sink &sink)
{
    ReadResult result;
    const qsizetype start = rtfStart(data);
    if (start < 0) {
        result.error = ReadError::NotRtf;
        return result;
    }
    Reader reader(data.sliced(start), sink);
    result.report = reader.run();
    return result;
}

} // namespace kora::rtf
