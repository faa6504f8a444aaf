#include "sample/SamplePictures.h"

#include "platform/render/GifWriter.h"
#include "platform/render/PcxWriter.h"
#include "sample/SampleError.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace rost {

namespace {

QByteArray encodeWithQt(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setQuality(85);
    if (!writer.write(image))
        throw SampleError(QStringLiteral("Cannot encode a %1 picture: %2")
                              .arg(QLatin1String(format), writer.errorString()));
    return bytes;
}

} // namespace

QImage drawSamplePicture(int familyId, int members)
{
    constexpr int Width = 96;
    constexpr int Height = 72;
    QImage image(Width, Height, QImage::Format_RGB32);
    const int hue = (familyId * 47) % 360;
    image.fill(QColor::fromHsv(200, 90, 240)); // sky
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.fillRect(0, 52, Width, Height - 52, QColor::fromHsv(110, 160, 150)); // lawn
    p.fillRect(8, 26, 34, 28, QColor::fromHsv(hue, 120, 220));             // house
    p.setBrush(QColor::fromHsv((hue + 180) % 360, 160, 150));
    const QPoint roof[] = {{4, 27}, {25, 10}, {46, 27}};
    p.drawPolygon(roof, 3);
    p.fillRect(21, 38, 8, 16, QColor(90, 60, 30)); // door
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QPoint(84, 12), 7, 7); // sun
    for (int i = 0; i < members && i < 8; ++i) {
        const int x = 50 + i * 6;
        const QColor clothes = QColor::fromHsv((hue + 40 * i) % 360, 200, 200);
        p.setBrush(QColor(240, 200, 170));
        p.drawEllipse(QPoint(x + 2, 44), 2, 2);
        p.fillRect(x, 47, 5, 10, clothes);
    }
    return image;
}

QByteArray encodeSamplePicture(const QImage &image, SamplePicture format)
{
    switch (format) {
    case SamplePicture::None:
        return {};
    case SamplePicture::Jpeg:
        return encodeWithQt(image, "jpeg");
    case SamplePicture::Bmp:
        return encodeWithQt(image, "bmp");
    case SamplePicture::Png:
        return encodeWithQt(image, "png");
    case SamplePicture::Tiff:
        return encodeWithQt(image, "tiff");
    case SamplePicture::Gif:
        return GifWriter::write(image);
    case SamplePicture::Pcx:
        return PcxWriter::write(image);
    }
    return {};
}

} // namespace rost
