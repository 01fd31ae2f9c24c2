#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <QStringView>

namespace kora::rtf {

// Character properties of a run as the reader resolved them.
struct RunFormat
{
    QString face; // empty: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0; // 0 none, 1 subscript, 2 superscript
    bool hasColor = false;
    QRgb color = 0;
    bool hasBackground = false;
    QRgb background = 0;

    bool operator==(const RunFormat &) const = default;
};

// Paragraph properties in twips, as RTF gives them (\li, \fi, \ri).
struct ParagraphProperties
{
    int align = 0; // 0 left, 1 right, 2 centre, 3 justified
    bool bullet = false;
    // A decimal list item whose number the editor generates. Items with the same `list` form one
    // list, numbered in document order; `level` is the list level the document gave it.
    bool numbered = false;
    int list = 0;
    int level = 0;
    int left = 0;
    int firstLine = 0; // relative to left
    int right = 0;

    bool operator==(const ParagraphProperties &) const = default;
};

enum class PictureKind { Png, Jpeg, Dib, DeviceBitmap, Emf, Wmf, Other };

struct Picture
{
    PictureKind kind = PictureKind::Other;
    QByteArray data;
    int metafileMode = 8; // the N of \wmetafileN
    int width = 0;        // \picw: pixels, or metafile units
    int height = 0;
    int goalWidth = 0; // \picwgoal, twips
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
    int bitsPerPixel = 1; // \wbmbitspixel
    int planes = 1;
    int widthBytes = 0; // \wbmwidthbytes
    // The picture is the result of an object that packages a file (\object of the class
    // "Package"): its \objdata.
    bool isObject = false;
    bool objectLinked = false; // \objlink
    QByteArray objectData;
};

// What the reader had to leave out of the document or could keep only in another form.
enum DroppedContent : unsigned {
    DroppedTables = 1u << 0,
    DroppedHeaders = 1u << 1,
    DroppedFooters = 1u << 2,
    DroppedFootnotes = 1u << 3, // their text is kept in a notes section at the end

    DroppedFields = 1u << 4,
    DroppedDrawings = 1u << 5,
    DroppedUnknown = 1u << 6,
    DroppedObjects = 1u << 7,
    DroppedComments = 1u << 8,
    DroppedHidden = 1u << 9,
    DroppedTextBoxes = 1u << 10, // text boxes and drawings with text: their text is kept as paragraphs
    DroppedDeepGroups = 1u << 11, // groups nested past the reader's limit: their text is kept, flattened
};

struct ReadReport
{
    unsigned dropped = 0;
    bool truncated = false; // ended inside open groups
    bool extraClose = false;
    bool badHex = false;
};

// Receives the document as the reader decodes it.
class Sink
{
public:
    virtual ~Sink() = default;
    virtual void text(QStringView text, const RunFormat &format) = 0;
    // Ends the current paragraph with `format` and starts a new one.
    virtual void paragraphBreak(const ParagraphProperties &format) = 0;
    virtual void picture(const Picture &picture, const RunFormat &format) = 0;
    // The last paragraph's format; no more calls follow.
    virtual void finish(const ParagraphProperties &format) = 0;
};

} // namespace kora::rtf
