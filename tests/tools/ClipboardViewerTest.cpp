#include "tools/clipboard/TClipboardViewer.h"
#include "tools/clipboard/TPaletteGrid.h"
#include "tools/clipboard/Tobsah.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <functional>

#include <gtest/gtest.h>

using namespace kora;

namespace {

QImage testImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void putOnClipboard(std::function<void(QMimeData &)> fill)
{
    auto *data = new QMimeData;
    fill(*data);
    QGuiApplication::clipboard()->setMimeData(data);
}

class ClipboardViewerTest : public ::testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    QString shownText() const
    {
        const auto *box = qobject_cast<QPlainTextEdit *>(viewer()->displayControl());
        return box ? box->toPlainText() : QStringLiteral("(no text box)");
    }
    TClipboardViewer *viewer() const { return window.ClipboardViewer1(); }

    Tobsah window;
};

struct FormatCase
{
    const char *name;
    std::function<void(QMimeData &)> fill;
    TClipboardViewFormat shown;
    QSize pictureSize; // empty: the read-only text box
    const char *text;  // what the text box shows
};

class ClipboardFormats : public ClipboardViewerTest, public ::testing::WithParamInterface<FormatCase>
{
};

const QByteArray kSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="48">
<rect width="64" height="48" fill="blue"/></svg>)";

const FormatCase kFormats[] = {
    {"PlainText", [](QMimeData &d) { d.setText(QStringLiteral("Dobrý den\nsvěte")); }, cvText, {}, "Dobrý den\nsvěte"},
    {"TextBeatsAPicture",
     [](QMimeData &d) {
         d.setText(QStringLiteral("popis"));
         d.setImageData(testImage(10, 10));
     },
     cvText,
     {},
     "popis"},
    {"Bitmap", [](QMimeData &d) { d.setImageData(testImage(40, 30)); }, cvBitmap, {40, 30}, ""},
    {"PngFromAnotherProgram",
     [](QMimeData &d) { d.setData("image/png", encoded(testImage(12, 7), "PNG")); },
     cvBitmap,
     {12, 7},
     ""},
    {"VectorPicture", [](QMimeData &d) { d.setData("image/svg+xml", kSvg); }, cvMetafile, {64, 48}, ""},
    {"Icon", [](QMimeData &d) { d.setData("image/x-icon", encoded(testImage(16, 16), "ICO")); }, cvIcon, {16, 16}, ""},
    {"ProgramPicture",
     [](QMimeData &d) { d.setData(kPictureMimeType, encoded(testImage(20, 25), "BMP")); },
     cvPicture,
     {20, 25},
     ""},
    {"Component",
     [](QMimeData &d) { d.setData(kComponentMimeType, "object Button1: TButton\n  Caption = 'OK'\nend"); },
     cvComponent,
     {},
     "object Button1: TButton\n  Caption = 'OK'\nend"},
    {"UnregisteredPrivateFormat",
     [](QMimeData &d) { d.setData("application/x-private", "xyz"); },
     cvUnknown,
     {},
     "Cannot display. Data in Clipboard is in an unknown format."},
    {"PictureBytesThatDoNotDecode",
     [](QMimeData &d) { d.setData("image/png", "not a png"); },
     cvBitmap,
     {},
     "Cannot display. Data in Clipboard is in an unknown format."},
};

TEST_P(ClipboardFormats, ShowsEachFormatInItsControl)
{
    window.show();
    putOnClipboard(GetParam().fill);
    EXPECT_EQ(viewer()->ChooseDisplayFormat(), GetParam().shown);
    QWidget *display = viewer()->displayControl();
    ASSERT_NE(display, nullptr);
    if (GetParam().pictureSize.isEmpty()) {
        auto *box = qobject_cast<QPlainTextEdit *>(display);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->toPlainText(), QString::fromUtf8(GetParam().text));
        EXPECT_EQ(box->size(), viewer()->viewport()->size());
    } else {
        auto *picture = qobject_cast<QLabel *>(display);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->size(), GetParam().pictureSize);
        // Centred in the viewer at its own size.
        const QSize client = viewer()->viewport()->size();
        EXPECT_EQ(picture->pos(),
                  QPoint((client.width() - picture->width()) / 2, (client.height() - picture->height()) / 2));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ClipboardFormats, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ClipboardViewerTest, FollowsChangesWhileHiddenAndEmptiesToNothing)
{
    QSignalSpy changes(viewer(), &TClipboardViewer::OnChange);
    ASSERT_FALSE(window.isVisible());
    putOnClipboard([](QMimeData &d) { d.setText(QStringLiteral("první")); });
    EXPECT_EQ(shownText(), QStringLiteral("první"));
    putOnClipboard([](QMimeData &d) { d.setText(QStringLiteral("druhý")); });
    window.show();
    EXPECT_EQ(shownText(), QStringLiteral("druhý"));
    EXPECT_EQ(changes.count(), 2);

    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(viewer()->displayControl(), nullptr);
    EXPECT_EQ(viewer()->ViewFormat(), cvEmpty);
    EXPECT_EQ(changes.count(), 3);

    putOnClipboard([](QMimeData &d) { d.setText(QStringLiteral("třetí")); });
    EXPECT_EQ(viewer()->ViewFormat(), cvDefault);
    EXPECT_EQ(shownText(), QStringLiteral("třetí"));
}

TEST_F(ClipboardViewerTest, ChosenFormatHoldsUntilTheClipboardLacksIt)
{
    window.show();
    putOnClipboard([](QMimeData &d) {
        d.setText(QStringLiteral("popis"));
        d.setImageData(testImage(30, 20));
    });
    EXPECT_TRUE(viewer()->IsFormatShowable(cvBitmap));
    EXPECT_FALSE(viewer()->IsFormatShowable(cvPalette));
    EXPECT_TRUE(viewer()->IsFormatShowable(cvUnknown));

    viewer()->setViewFormat(cvPalette); // not on the clipboard
    EXPECT_EQ(viewer()->ViewFormat(), cvDefault);
    EXPECT_EQ(shownText(), QStringLiteral("popis"));

    viewer()->setViewFormat(cvBitmap);
    EXPECT_EQ(viewer()->ViewFormat(), cvBitmap);
    ASSERT_NE(qobject_cast<QLabel *>(viewer()->displayControl()), nullptr);

    // Another picture keeps the choice; text alone drops it.
    putOnClipboard([](QMimeData &d) { d.setImageData(testImage(5, 5)); });
    EXPECT_EQ(viewer()->ViewFormat(), cvBitmap);
    putOnClipboard([](QMimeData &d) { d.setText(QStringLiteral("jen text")); });
    EXPECT_EQ(viewer()->ViewFormat(), cvDefault);
    EXPECT_EQ(shownText(), QStringLiteral("jen text"));
}

TEST_F(ClipboardViewerTest, PictureIsCentredAgainAfterAResize)
{
    window.show();
    putOnClipboard([](QMimeData &d) { d.setImageData(testImage(50, 40)); });
    window.resize(700, 500);
    QApplication::processEvents();
    QWidget *picture = viewer()->displayControl();
    ASSERT_NE(picture, nullptr);
    const QSize client = viewer()->viewport()->size();
    EXPECT_EQ(picture->pos(), QPoint((client.width() - 50) / 2, (client.height() - 40) / 2));
}

TEST_F(ClipboardViewerTest, PaletteShowsInAGrid)
{
    window.show();
    const QByteArray entries("\xff\x00\x00\x00\x00\xff\x00\x00\x00\x00\xff\x00", 12);
    putOnClipboard([&](QMimeData &d) { d.setData(kPaletteMimeType, entries); });
    EXPECT_EQ(viewer()->ChooseDisplayFormat(), cvPalette);
    auto *grid = qobject_cast<TPaletteGrid *>(viewer()->displayControl());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->entryCount(), 3);
    EXPECT_EQ(grid->entryColor(1), QColor(0, 255, 0));
    EXPECT_EQ(grid->size(), viewer()->viewport()->size());
}

} // namespace
