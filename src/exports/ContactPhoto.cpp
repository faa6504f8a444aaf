#include "exports/ContactPhoto.h"

#include "platform/render/PictureDecoder.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

namespace rost {

QByteArray contactPhoto(const QByteArray &picture, QString *error)
{
    QImage image = decodePicture(picture, error);
    if (image.isNull())
        return {};
    if (image.width() > ContactPhotoSide || image.height() > ContactPhotoSide)
        image = image.scaled(ContactPhotoSide, ContactPhotoSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    // JPEG has no transparency: a transparent picture goes on white, not black.
    if (image.hasAlphaChannel()) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        image = opaque;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    if (!writer.write(image)) {
        if (error)
            *error = writer.errorString();
        return {};
    }
    return jpeg;
}

} // namespace rost
