#include "platform/render/PictureDecoder.h"

#include "platform/render/PcxReader.h"

#include <QBuffer>
#include <QImageReader>

namespace rost {

namespace {

bool acceptedFormat(const QByteArray &format)
{
    static const QByteArrayList accepted{"jpeg", "jpg", "bmp", "gif", "png", "tiff", "tif"};
    return accepted.contains(format.toLower());
}

QImage fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return {};
}

} // namespace

QImage decodePicture(const QByteArray &bytes, QString *error)
{
    if (bytes.isEmpty())
        return fail(error, QStringLiteral("The picture is empty."));
    if (PcxReader::canRead(bytes))
        return PcxReader::read(bytes, error);

    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("The picture cannot be read."));
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format.isEmpty() || !acceptedFormat(format))
        return fail(error, QStringLiteral("The picture is not in a known format."));
    buffer.seek(0);

    QImageReader::setAllocationLimit(PictureAllocationLimitMb);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return fail(error,
                    QStringLiteral("The picture cannot be decoded: %1").arg(reader.errorString()));
    return image;
}

} // namespace rost
