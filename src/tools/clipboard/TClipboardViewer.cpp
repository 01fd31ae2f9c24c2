#include "tools/clipboard/TClipboardViewer.h"

#include "tools/clipboard/TPaletteGrid.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>

namespace kora {

namespace {

// What a picture of another program may come as; Qt converts them all to an image.
const char *const kBitmapMimeTypes[] = {
    "application/x-qt-image", "image/png", "image/bmp", "image/jpeg", "image/gif", "image/tiff", "image/webp"};
const char *const kIconMimeTypes[] = {"image/vnd.microsoft.icon", "image/x-icon"};
constexpr char kMetafileMimeType[] = "image/svg+xml";

bool hasAny(const QMimeData *data, const auto &types)
{
    for (const char *type : types) {
        if (data->hasFormat(QString::fromLatin1(type)))
            return true;
    }
    return false;
}

QImage firstImage(const QMimeData *data, const auto &types)
{
    for (const char *type : types) {
        const QString name = QString::fromLatin1(type);
        if (data->hasFormat(name))
            return QImage::fromData(data->data(name));
    }
    return {};
}

} // namespace

const QString TClipboardViewer::kEmptyText = QStringLiteral("Clipboard is empty");
const QString TClipboardViewer::kUnknownText =
    QStringLiteral("Cannot display. Data in Clipboard is in an unknown format.");

TClipboardViewer::TClipboardViewer(QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("ClipboardViewer1"));
    // The window colour of the system, whatever the parent's is.
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    setAlignment(Qt::AlignCenter);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TClipboardViewer::clipboardChanged);
    RebuildDisplay();
}

const QMimeData *TClipboardViewer::data() const
{
    return QGuiApplication::clipboard()->mimeData();
}

bool TClipboardViewer::holds(TClipboardViewFormat format) const
{
    const QMimeData *d = data();
    if (!d)
        return false;
    switch (format) {
    case cvText:
    case cvOemText:
        return d->hasText();
    case cvBitmap:
        return hasAny(d, kBitmapMimeTypes);
    case cvMetafile:
        return d->hasFormat(QString::fromLatin1(kMetafileMimeType));
    case cvPalette:
        return d->hasFormat(QString::fromLatin1(kPaletteMimeType));
    case cvPicture:
        return d->hasFormat(QString::fromLatin1(kPictureMimeType));
    case cvComponent:
        return d->hasFormat(QString::fromLatin1(kComponentMimeType));
    case cvIcon:
        return hasAny(d, kIconMimeTypes);
    case cvDefault:
    case cvEmpty:
    case cvUnknown:
        break;
    }
    return false;
}

void TClipboardViewer::setViewFormat(TClipboardViewFormat format)
{
    if (format == m_viewFormat)
        return;
    m_viewFormat = holds(format) && IsFormatShowable(format) ? format : cvDefault;
    RebuildDisplay();
}

TClipboardViewFormat TClipboardViewer::ChooseDisplayFormat() const
{
    const QMimeData *d = data();
    if (!d || d->formats().isEmpty())
        return cvEmpty;
    if (m_viewFormat != cvDefault)
        return m_viewFormat;
    return AutoDisplayFormat();
}

bool TClipboardViewer::IsFormatShowable(TClipboardViewFormat format) const
{
    if (format == cvDefault || format == cvEmpty || format == cvUnknown)
        return true;
    return holds(format);
}

TClipboardViewFormat TClipboardViewer::AutoDisplayFormat() const
{
    for (const TClipboardViewFormat format :
         {cvText, cvOemText, cvBitmap, cvMetafile, cvIcon, cvPicture, cvComponent, cvPalette}) {
        if (holds(format))
            return format;
    }
    return cvUnknown;
}

void TClipboardViewer::clipboardChanged()
{
    const QMimeData *d = data();
    if (!d || d->formats().isEmpty())
        m_viewFormat = cvEmpty;
    else if (!holds(m_viewFormat))
        m_viewFormat = cvDefault;
    emit OnChange();
    RebuildDisplay();
}

void TClipboardViewer::RebuildDisplay()
{
    delete takeWidget();
    const QMimeData *d = data();
    if (!d || d->formats().isEmpty()) {
        viewport()->update();
        return;
    }
    TClipboardViewFormat format = ChooseDisplayFormat();
    if (!IsFormatShowable(format))
        format = cvUnknown;
    switch (format) {
    case cvDefault:
    case cvEmpty:
    case cvUnknown:
    case cvText:
    case cvOemText:
        showText(d->hasText() ? d->text() : kUnknownText, format == cvOemText);
        break;
    case cvBitmap:
    case cvMetafile:
    case cvPicture:
    case cvIcon:
        showPicture(format);
        break;
    case cvPalette:
        showPalette();
        break;
    case cvComponent:
        // A component is never rebuilt from clipboard bytes; its description is shown instead.
        showText(QString::fromUtf8(d->data(QString::fromLatin1(kComponentMimeType))), false);
        break;
    }
}

QPlainTextEdit *TClipboardViewer::showText(const QString &text, bool terminalFont)
{
    auto *box = new QPlainTextEdit;
    box->setObjectName(QStringLiteral("clipboardText"));
    box->setFrameShape(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (terminalFont)
        box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setPlainText(text);
    box->setReadOnly(true);
    setWidgetResizable(true);
    setWidget(box);
    m_display = box;
    return box;
}

void TClipboardViewer::showPicture(TClipboardViewFormat format)
{
    const QMimeData *d = data();
    QImage image;
    switch (format) {
    case cvBitmap:
        image = d->hasImage() ? qvariant_cast<QImage>(d->imageData()) : firstImage(d, kBitmapMimeTypes);
        break;
    case cvMetafile:
        image = QImage::fromData(d->data(QString::fromLatin1(kMetafileMimeType)), "SVG");
        break;
    case cvPicture:
        image = QImage::fromData(d->data(QString::fromLatin1(kPictureMimeType)));
        break;
    case cvIcon:
        image = firstImage(d, kIconMimeTypes);
        break;
    default:
        break;
    }
    if (image.isNull()) {
        // Picture data that does not decode is as unknown as a format never heard of.
        showText(kUnknownText, false);
        return;
    }
    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("clipboardPicture"));
    picture->setPixmap(QPixmap::fromImage(image));
    picture->resize(picture->sizeHint());
    // At its own size, centred by the viewer (Qt::AlignCenter), scrolled when larger.
    setWidgetResizable(false);
    setWidget(picture);
    m_display = picture;
}

void TClipboardViewer::showPalette()
{
    auto *grid = new TPaletteGrid;
    grid->setObjectName(QStringLiteral("PaletteGrid"));
    grid->setColorPalette(TPaletteGrid::paletteFromData(data()->data(QString::fromLatin1(kPaletteMimeType))));
    setWidgetResizable(true);
    setWidget(grid);
    m_display = grid;
}

void TClipboardViewer::paintEvent(QPaintEvent *event)
{
    QScrollArea::paintEvent(event);
    if (m_display)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, kEmptyText);
}

} // namespace kora
