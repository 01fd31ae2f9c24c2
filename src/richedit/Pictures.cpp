#include "richedit/Pictures.h"

#include "richedit/DocumentProperties.h"
#include "richedit/DocumentSink.h"
#include "richedit/RtfWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QtEndian>

#include <cmath>

namespace kora::pictures {

namespace {

constexpr int kMaxPixels = 16384;

QImage readImage(const QByteArray &bytes, const char *format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPixels || size.height() > kMaxPixels))
        return {};
    return reader.read();
}

// A DIB is a BMP file without its 14-byte file header.
QImage decodeDib(const QByteArray &dib)
{
    if (dib.size() < 40)
        return {};
    const auto *d = reinterpret_cast<const uchar *>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(d);
    if (headerSize < 12 || headerSize > quint32(dib.size()))
        return {};
    quint32 paletteEntries = 0;
    quint32 extra = 0;
    if (headerSize >= 40) {
        const quint16 bitCount = qFromLittleEndian<quint16>(d + 14);
        const quint32 compression = qFromLittleEndian<quint32>(d + 16);
        const quint32 used = qFromLittleEndian<quint32>(d + 32);
        paletteEntries = used ? used : (bitCount <= 8 ? (1u << bitCount) : 0);
        if (compression == 3 && headerSize == 40)
            extra = 12;
    }
    const quint64 offset = 14ull + headerSize + paletteEntries * 4ull + extra;
    if (offset > quint64(dib.size()) + 14)
        return {};
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(dib.size() + 14), file.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), file.data() + 10);
    file += dib;
    return readImage(file, "BMP");
}

// A device-dependent bitmap: rows of bits, top row first, no palette (black and white when 1 bit).
QImage decodeDeviceBitmap(const rtf::Picture &p)
{
    const int w = p.width;
    const int h = p.height;
    if (w <= 0 || h <= 0 || w > kMaxPixels || h > kMaxPixels || p.planes != 1)
        return {};
    const int bpp = p.bitsPerPixel;
    const int stride = p.widthBytes > 0 ? p.widthBytes : ((w * bpp + 15) / 16) * 2;
    if (qint64(stride) * h > p.data.size() || qint64(stride) * 8 < qint64(w) * bpp)
        return {};
    const auto *bits = reinterpret_cast<const uchar *>(p.data.constData());
    if (bpp == 1) {
        QImage image(w, h, QImage::Format_Mono);
        image.setColor(0, qRgb(0, 0, 0));
        image.setColor(1, qRgb(255, 255, 255));
        for (int y = 0; y < h; ++y)
            memcpy(image.scanLine(y), bits + qint64(y) * stride, size_t((w + 7) / 8));
        return image;
    }
    if (bpp == 24 || bpp == 32) {
        QImage image(w, h, QImage::Format_RGB32);
        const int step = bpp / 8;
        for (int y = 0; y < h; ++y) {
            const uchar *row = bits + qint64(y) * stride;
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < w; ++x)
                out[x] = qRgb(row[x * step + 2], row[x * step + 1], row[x * step]);
        }
        return image;
    }
    return {};
}

} // namespace

QImage decode(const rtf::Picture &picture)
{
    switch (picture.kind) {
    case rtf::PictureKind::Png: return readImage(picture.data, "PNG");
    case rtf::PictureKind::Jpeg: return readImage(picture.data, "JPEG");
    case rtf::PictureKind::Dib: return decodeDib(picture.data);
    case rtf::PictureKind::DeviceBitmap: return decodeDeviceBitmap(picture);
    default: return {};
    }
}

QImage placeholder(QSize size, const QString &label)
{
    size = size.boundedTo(QSize(2000, 2000)).expandedTo(QSize(24, 24));
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap, label);
    return image;
}

QSizeF displaySize(const rtf::Picture &picture, const QImage &image)
{
    double w = picture.goalWidth * kPixelsPerTwip;
    double h = picture.goalHeight * kPixelsPerTwip;
    if (w <= 0 || h <= 0) {
        if (!image.isNull() && picture.kind != rtf::PictureKind::Emf && picture.kind != rtf::PictureKind::Wmf) {
            w = image.width();
            h = image.height();
        } else {
            // Metafile \picw and \pich are in hundredths of a millimetre.
            w = picture.width * 96.0 / 2540.0;
            h = picture.height * 96.0 / 2540.0;
        }
    }
    w = w * picture.scaleX / 100.0;
    h = h * picture.scaleY / 100.0;
    if (w <= 0 || h <= 0)
        return QSizeF(image.isNull() ? QSizeF(64, 64) : QSizeF(image.size()));
    return QSizeF(std::min(w, 4000.0), std::min(h, 4000.0));
}

rtf::Picture fromImage(const QImage &image, const QByteArray &fileBytes, QSizeF size)
{
    rtf::Picture picture;
    if (image.isNull())
        return picture;
    if (fileBytes.startsWith("\xFF\xD8\xFF")) {
        picture.kind = rtf::PictureKind::Jpeg;
        picture.data = fileBytes;
    } else if (fileBytes.startsWith("\x89PNG\r\n\x1A\n")) {
        picture.kind = rtf::PictureKind::Png;
        picture.data = fileBytes;
    } else {
        QBuffer buffer(&picture.data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        picture.kind = rtf::PictureKind::Png;
    }
    if (size.isEmpty())
        size = image.size();
    picture.width = image.width();
    picture.height = image.height();
    picture.goalWidth = int(std::lround(size.width() / kPixelsPerTwip));
    picture.goalHeight = int(std::lround(size.height() / kPixelsPerTwip));
    return picture;
}

QByteArray rtfDocument(const rtf::Picture &picture)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    DocumentSink sink(cursor);
    sink.picture(picture, rtf::RunFormat{});
    sink.finish(rtf::ParagraphProperties{});
    return rtf::write(document);
}

} // namespace kora::pictures
