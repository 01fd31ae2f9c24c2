#include "editing/insertion/ObjectPicture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>

namespace kora {

namespace {

constexpr int kIconSide = 48;
constexpr int kPictureWidth = 140;
constexpr int kPictureHeight = 84;

QIcon typeIcon(const QString &label)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(label, QMimeDatabase::MatchExtension);
    for (const QString &name : {type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic")}) {
        const QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            return icon;
    }
    return {};
}

} // namespace

QImage iconPicture(const QString &label)
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect iconRect((kPictureWidth - kIconSide) / 2, 6, kIconSide, kIconSide);
    const QIcon icon = typeIcon(label);
    if (!icon.isNull()) {
        icon.paint(&painter, iconRect);
    } else {
        // A sheet of paper with a folded corner.
        const int fold = 12;
        const QRect sheet = iconRect.adjusted(8, 0, -8, 0);
        const QPolygon outline({sheet.topLeft(), QPoint(sheet.right() - fold, sheet.top()),
                                QPoint(sheet.right(), sheet.top() + fold), sheet.bottomRight(), sheet.bottomLeft()});
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
        painter.drawPolygon(outline);
        painter.drawPolyline(
            QPolygon({QPoint(sheet.right() - fold, sheet.top()), QPoint(sheet.right() - fold, sheet.top() + fold),
                      QPoint(sheet.right(), sheet.top() + fold)}));
    }
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect textRect(2, iconRect.bottom() + 4, kPictureWidth - 4, kPictureHeight - iconRect.bottom() - 6);
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop,
                     QFontMetrics(font).elidedText(label, Qt::ElideMiddle, textRect.width()));
    return image;
}

QImage objectPicture(const EmbeddedFile &file, bool asIcon)
{
    if (!asIcon) {
        QImage content;
        if (file.linked)
            content.load(file.path);
        else
            content.loadFromData(file.data);
        if (!content.isNull() && content.width() <= 16384 && content.height() <= 16384)
            return content;
    }
    return iconPicture(file.label);
}

} // namespace kora
