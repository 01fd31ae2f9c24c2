#include "editing/insertion/PictureFile.h"

#include "text/SafeSave.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QtEndian>

namespace kora {

const QString kPictureFilter = QStringLiteral(
    "Všechny obrázky|*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf|JPEG obrázek (*.jpg)|*.jpg|"
    "JPEG obrázek (*.jpeg)|*.jpeg|PNG obrázek (*.png)|*.png|GIF obrázek (*.gif)|*.gif|Bitmapa (*.bmp)|*.bmp|"
    "Ikona (*.ico)|*.ico|Rozšířený metasoubor (*.emf)|*.emf|Metasoubor (*.wmf)|*.wmf");

namespace {

constexpr int kMaxSide = 16384;

enum class Metafile { None, Wmf, Emf };

Metafile metafileKind(const QByteArray &bytes)
{
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    if (bytes.size() >= 44 && qFromLittleEndian<quint32>(d) == 1 && bytes.mid(40, 4) == " EMF")
        return Metafile::Emf;
    if (bytes.size() >= 4 && qFromLittleEndian<quint32>(d) == 0x9AC6CDD7)
        return Metafile::Wmf;
    if (bytes.size() >= 18) {
        const quint16 type = qFromLittleEndian<quint16>(d);
        const quint16 headerWords = qFromLittleEndian<quint16>(d + 2);
        if ((type == 1 || type == 2) && headerWords == 9)
            return Metafile::Wmf;
    }
    return Metafile::None;
}

} // namespace

PictureFile readPictureFile(const QString &path)
{
    PictureFile result;
    const QString name = QDir::toNativeSeparators(path);
    QString error;
    if (!readWholeFile(path, &result.bytes, &error)) {
        result.error = error;
        return result;
    }
    switch (metafileKind(result.bytes)) {
    case Metafile::Wmf:
        result.error = QStringLiteral("Soubor „%1“ je metasoubor Windows (WMF). Obrázky v tomto formátu KORA Editor "
                                      "neumí zobrazit; uložte jej prosím jako PNG nebo JPEG")
                           .arg(name);
        return result;
    case Metafile::Emf:
        result.error = QStringLiteral("Soubor „%1“ je rozšířený metasoubor Windows (EMF). Obrázky v tomto formátu "
                                      "KORA Editor neumí zobrazit; uložte jej prosím jako PNG nebo JPEG")
                           .arg(name);
        return result;
    case Metafile::None:
        break;
    }

    QBuffer buffer(&result.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // An icon holds several sizes: the largest is the one worth inserting.
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0, count = std::max(reader.imageCount(), 1); i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        const qint64 area = qint64(size.width()) * size.height();
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    buffer.seek(0);
    QImageReader chosen(&buffer);
    chosen.setAutoTransform(true);
    if (best > 0)
        chosen.jumpToImage(best);
    const QSize size = chosen.size();
    if (size.width() > kMaxSide || size.height() > kMaxSide) {
        result.error = QStringLiteral("Obrázek „%1“ je příliš velký (%2 × %3 bodů)")
                           .arg(name)
                           .arg(size.width())
                           .arg(size.height());
        return result;
    }
    result.image = chosen.read();
    // A turned photo or one image of an icon is not what the file's bytes show.
    if (best > 0 || chosen.transformation() != QImageIOHandler::TransformationNone)
        result.bytes.clear();
    if (result.image.isNull())
        result.error =
            QStringLiteral("Soubor „%1“ není obrázek, který KORA Editor umí přečíst, nebo je poškozený").arg(name);
    return result;
}

} // namespace kora
