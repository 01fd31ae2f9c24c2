#include "richedit/RtfReader.h"

#include "richedit/RtfTokenizer.h"
#include "text/CodePage.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kora::rtf {

QStringList ReadReport::describeDropped() const
{
    static const std::array<std::pair<unsigned, const char *>, 10> kTexts{{
        {DroppedTables, "tabulky (zůstane jen jejich text, buňky oddělené tabulátory)"},
        {DroppedHeaders, "záhlaví stránek"},
        {DroppedFooters, "zápatí stránek"},
        {DroppedFootnotes, "poznámky pod čarou"},
        {DroppedComments, "komentáře"},
        {DroppedFields, "pole (zůstane jen jejich zobrazený text)"},
        {DroppedDrawings, "kresby a tvary"},
        {DroppedObjects, "vložené objekty (zůstane jen jejich obrázek nebo text)"},
        {DroppedHidden, "skrytý text"},
        {DroppedUnknown, "další obsah, který editor neumí zobrazit"},
    }};
    QStringList lines;
    for (const auto &[flag, text] : kTexts) {
        if (dropped & flag)
            lines << QString::fromUtf8(text);
    }
    return lines;
}

bool looksLikeRtf(QByteArrayView data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

namespace {

constexpr int kMaxDepth = 1000;
constexpr int kMaxTableEntries = 32768;
constexpr int kDefaultHalfPoints = 24;

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
    ObjectShell, // \object, \shp: only their result groups are shown
    UprAnsi,     // the ANSI half of \upr; its \ud half is shown
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
    int listOverride = 0;
    int listLevel = 0;
};

struct GroupState
{
    Dest dest = Dest::Body;
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

struct ListDefinition
{
    int id = 0;
    std::vector<int> levelFormats; // \levelnfc per level; 23 = bullet
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
    Shape, ShapeResult, ShapePicture, NonShapePicture, DrawingObject, Upr, Ud, NestedRowProperties, SkipSilently,
    // document
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, Uc, U,
    // fonts and colours
    Font, FontCharset, CodePage, Red, Green, Blue,
    // character
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Color, Highlight, Super, Sub,
    NoSuperSub, Hidden,
    // paragraph
    Pard, Par, Line, Tab, Sect, Page, AlignLeft, AlignRight, AlignCenter, AlignJustify, FirstIndent,
    LeftIndent, RightIndent, PnLevelBullet, PnLevelNumbered, ListOverrideIndex, ListLevel, Cell, Row,
    // lists
    List, ListLevelDefinition, LevelFormat, ListId, ListOverride,
    // pictures
    PngBlip, JpegBlip, EmfBlip, WmfBlip, DibBlip, DeviceBitmap, OtherPicture, PicWidth, PicHeight,
    PicGoalWidth, PicGoalHeight, PicScaleX, PicScaleY, BitsPerPixel, Planes, WidthBytes,
    // special characters
    Character,
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
        add("shprslt", Word::ShapeResult);
        add("shppict", Word::ShapePicture);
        add("nesttableprops", Word::NestedRowProperties);
        add("nonshppict", Word::NonShapePicture);
        add("do", Word::DrawingObject);
        add("upr", Word::Upr);
        add("ud", Word::Ud);
        // Destinations that hold nothing a reader shows.
        for (auto name : {"generator", "xmlnstbl", "themedata", "colorschememapping", "datastore", "latentstyles",
                          "rsidtbl", "mmathPr", "defchp", "defpap", "wgrffmtfilter", "pgdsctbl", "bkmkstart",
                          "bkmkend", "blipuid", "picprop", "shpinst", "panose", "falt", "fname", "listpicture",
                          "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "fontemb", "fontfile", "revtbl", "userprops",
                          "docvar", "protusertbl", "passwordhash", "pnseclvl", "nonesttables",
                          "objclass", "objdata", "objname", "oleclsid", "expandedcolortbl", "hl", "hlinkbase",
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

    int codePageFor(int font) const;
    const codepage::Decoder &decoder(int codePage);
    RunFormat currentRunFormat();
    ParaFormat currentParaFormat() const;
    bool listIsBullet(int override, int level) const;
    bool skippingUnicodeFallback(qsizetype available, qsizetype *consumed);
    void commitFontEntry();

    Tokenizer m_tokens;
    Sink &m_sink;
    std::vector<GroupState> m_stack;
    ReadReport m_report;
    int m_ignoredDepth = 0; // groups nested past kMaxDepth
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
    int m_fontCharset = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontNameBytes;
    bool m_fontOpen = false;
    // Colour table entry under construction.
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    // Pending text of the current run.
    QByteArray m_pendingBytes;
    int m_pendingCodePage = 0;
    QString m_text;
    RunFormat m_textFormat;
    char16_t m_highSurrogate = 0;
    int m_ucSkip = 0;

    // Paragraph bookkeeping.
    bool m_breakPending = false;
    ParaFormat m_pendingBreakFormat;
    ParaFormat m_finalParaFormat;
    bool m_haveFinalParaFormat = false;
    bool m_paragraphHasContent = false;
    bool m_cellPending = false;
    std::vector<std::pair<QString, RunFormat>> m_listText;

    // Lists.
    std::vector<ListDefinition> m_lists;
    std::unordered_map<int, int> m_overrides; // \ls -> \listid
    int m_overrideListId = 0;
    bool m_inOverride = false;

    // Pictures and fields.
    Picture m_picture;
    int m_pictureDepth = -1;
    int m_hexNibble = -1;
    std::vector<Field> m_fields;
};

ReadReport Reader::run()
{
    for (;;) {
        const Token t = m_tokens.next();
        if (t.type == TokenType::End)
            break;
        if (m_ignoredDepth > 0) {
            if (t.type == TokenType::GroupOpen)
                ++m_ignoredDepth;
            else if (t.type == TokenType::GroupClose)
                --m_ignoredDepth;
            continue;
        }
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
        m_report.truncated = m_stack.size() > 1 || m_ignoredDepth > 0;
    // Unwind whatever the data left open so pictures and fields in progress complete.
    while (m_stack.size() > 1)
        closeGroup();
    flushText();
    flushListText();
    m_sink.finish(m_breakPending          ? m_pendingBreakFormat
                  : m_haveFinalParaFormat ? m_finalParaFormat
                                          : currentParaFormat());
    m_report.badHex = m_tokens.sawBadHex();
    return m_report;
}

void Reader::openGroup()
{
    if (m_stack.size() >= kMaxDepth) {
        m_ignoredDepth = 1;
        return;
    }
    flushBytes();
    m_starPending = false;
    m_stack.push_back(m_stack.back());
}

void Reader::closeGroup()
{
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
    if (!m_fields.empty() && m_fields.back().depth == depth) {
        const Field field = m_fields.back();
        m_fields.pop_back();
        const bool hyperlink = field.instruction.trimmed().startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive);
        if (!hyperlink && field.resultHasText)
            m_report.dropped |= DroppedFields;
    }
    if (closing.dest == Dest::ListOverrideTable)
        m_inOverride = false;
    if (depth == 2) {
        // The document group ends: its last paragraph keeps the properties it had inside.
        flushListText();
        m_finalParaFormat = currentParaFormat();
        m_haveFinalParaFormat = true;
    }

    m_stack.pop_back();
    if (closing.dest == Dest::PnDefinition) {
        // \pn describes the paragraph it stands in, not just its own group.
        state().para.pnBullet = closing.para.pnBullet;
    }
}

void Reader::commitFontEntry()
{
    if (!m_fontOpen)
        return;
    m_fontOpen = false;
    if (m_fonts.size() >= kMaxTableEntries)
        return;
    QString name;
    decoder(m_fontCodePage).decodeAppend(m_fontNameBytes.constData(), m_fontNameBytes.size(), name);
    name = name.trimmed();
    m_fonts.insert(m_fontId, FontEntry{name, m_fontCodePage});
    m_fontNameBytes.clear();
}

void Reader::controlWord(const Token &t)
{
    flushBytes();
    const auto &table = wordTable();
    const auto it = table.find(t.word);
    if (it == table.end()) {
        if (m_starPending && state().dest != Dest::Skip) {
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
        enterDestination(w);
        return;
    }
    switch (w) {
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
            flushBytes();
            appendChar(char32_t(value));
        }
        m_ucSkip = state().uc;
        return;
    }
    case Word::Character:
        appendChar(info.character);
        return;
    default:
        break;
    }

    switch (dest) {
    case Dest::FontTable:
        if (w == Word::Pard || w == Word::Par) {
            // A font table holds no paragraphs: its writer forgot to close it and the body began.
            commitFontEntry();
            state().dest = Dest::Body;
            break;
        }
        if (w == Word::Font) {
            commitFontEntry();
            m_fontOpen = true;
            m_fontId = t.param;
            m_fontCharset = -1;
            m_fontCodePage = m_documentCodePage;
            m_fontNameBytes.clear();
        } else if (w == Word::FontCharset) {
            m_fontCharset = t.param;
            m_fontCodePage = codepage::forCharset(t.param, m_documentCodePage);
        } else if (w == Word::CodePage && t.hasParam && codepage::isSupported(t.param)) {
            m_fontCodePage = t.param;
        }
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
    case Dest::PnDefinition:
        if (w == Word::PnLevelBullet)
            state().para.pnBullet = true;
        else if (w == Word::PnLevelNumbered)
            state().para.pnBullet = false;
        return;
    default:
        break;
    }
    charProperty(w, t);
    paraProperty(w, t);
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
    case Word::Footnote: skip(DroppedFootnotes); break;
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
        m_report.dropped |= DroppedObjects;
        s.dest = Dest::ObjectShell;
        break;
    case Word::Shape:
        m_report.dropped |= DroppedDrawings;
        s.dest = Dest::ObjectShell;
        break;
    case Word::DrawingObject:
        m_report.dropped |= DroppedDrawings;
        skip(0);
        break;
    case Word::Result:
    case Word::ShapeResult:
        if (s.dest == Dest::ObjectShell)
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
    case Word::ListLevel: p.listLevel = clampInt(t.param, 0, 8); break;
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
            } else if (m_fontOpen && m_fontNameBytes.size() < 256 && static_cast<unsigned char>(c) >= 0x20) {
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
                m_picture.data.append(char(m_hexNibble * 16 + v));
                m_hexNibble = -1;
            }
        }
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
        if (m_fontOpen && m_fontNameBytes.size() < 256)
            m_fontNameBytes.append(c);
    } else if (dest == Dest::Picture) {
        m_picture.data.append(c);
    } else if (dest == Dest::Skip && state().reportIfText) {
        m_report.dropped |= state().reportIfText;
    }
}

void Reader::binary(std::string_view bytes)
{
    if (state().dest == Dest::Picture)
        m_picture.data.append(bytes.data(), qsizetype(bytes.size()));
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
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x20 || b == '\t')
            m_pendingBytes.append(char(b));
    }
    if (!decoder(cp).isDoubleByte())
        flushBytes();
}

void Reader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    QString decoded;
    decoder(m_pendingCodePage).decodeAppend(m_pendingBytes.constData(), m_pendingBytes.size(), decoded);
    m_pendingBytes.clear();
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
    m_sink.text(m_text, m_textFormat);
    m_text.clear();
}

void Reader::beforeContent()
{
    if (m_breakPending) {
        flushText();
        m_sink.paragraphBreak(m_pendingBreakFormat);
        m_breakPending = false;
    }
    if (!m_listText.empty())
        flushListText();
    if (m_cellPending) {
        m_cellPending = false;
        flushText();
        const RunFormat format = currentRunFormat();
        m_sink.text(u"\t", format);
    }
    m_paragraphHasContent = true;
}

void Reader::flushListText()
{
    if (m_listText.empty())
        return;
    auto runs = std::move(m_listText);
    m_listText.clear();
    if (currentParaFormat().bullet)
        return;
    flushText();
    for (const auto &[text, format] : runs)
        m_sink.text(text, format);
}

void Reader::paragraphBreak(bool onlyAfterContent)
{
    flushBytes();
    if (onlyAfterContent && !m_paragraphHasContent)
        return;
    if (m_breakPending) {
        flushText();
        m_sink.paragraphBreak(m_pendingBreakFormat);
        m_breakPending = false;
    }
    flushText();
    flushListText();
    m_cellPending = false;
    m_pendingBreakFormat = currentParaFormat();
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
    m_sink.picture(m_picture, currentRunFormat());
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

ParaFormat Reader::currentParaFormat() const
{
    const ParaState &p = state().para;
    ParaFormat f;
    f.align = p.align;
    f.left = p.left;
    f.firstLine = p.firstLine;
    f.right = p.right;
    f.bullet = p.pnBullet || (p.listOverride > 0 && listIsBullet(p.listOverride, p.listLevel));
    return f;
}

bool Reader::listIsBullet(int override, int level) const
{
    const auto it = m_overrides.find(override);
    if (it == m_overrides.end())
        return false;
    for (const ListDefinition &list : m_lists) {
        if (list.id != it->second)
            continue;
        if (size_t(level) < list.levelFormats.size())
            return list.levelFormats[size_t(level)] == 23;
        return false;
    }
    return false;
}

} // namespace

ReadResult read(QByteArrayView data, Sink &sink)
{
    ReadResult result;
    if (!looksLikeRtf(data)) {
        result.error = ReadError::NotRtf;
        return result;
    }
    Reader reader(data, sink);
    result.report = reader.run();
    return result;
}

} // namespace kora::rtf
