#include "platform/render/PcxReader.h"

#include <QList>

#include <algorithm>
#include <array>
#include <vector>

namespace rost {

namespace {

constexpr int HeaderSize = 128;
constexpr int VgaPaletteSize = 769; // marker 0x0C and 256 RGB triples
constexpr qint64 MaxDecodedBytes = 256LL * 1024 * 1024;

// The 16 colours a version 3 file (which carries no palette of its own) means.
constexpr std::array<QRgb, 16> DefaultEga{
    0xff000000, 0xff0000aa, 0xff00aa00, 0xff00aaaa, 0xffaa0000, 0xffaa00aa, 0xffaa5500, 0xffaaaaaa,
    0xff555555, 0xff5555ff, 0xff55ff55, 0xff55ffff, 0xffff5555, 0xffff55ff, 0xffffff55, 0xffffffff};

int u16(const uchar *p)
{
    return p[0] | (p[1] << 8);
}

QImage fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return {};
}

QList<QRgb> egaPalette(const uchar *header, int version)
{
    QList<QRgb> colours;
    for (int i = 0; i < 16; ++i) {
        const uchar *c = header + 16 + 3 * i;
        colours << (version == 3 ? DefaultEga[size_t(i)] : qRgb(c[0], c[1], c[2]));
    }
    return colours;
}

bool supported(int bitsPerPixel, int planes)
{
    return (bitsPerPixel == 8 && (planes == 1 || planes == 3 || planes == 4)) ||
           (bitsPerPixel == 1 && (planes == 1 || planes == 4)) ||
           (bitsPerPixel == 4 && planes == 1);
}

// Fills out completely from the pixel data or reports why it cannot. A run may carry over into
// the next scan line (some writers do that) but never past the end of out.
bool unpack(const uchar *data, qint64 size, bool rle, std::vector<uchar> &out)
{
    const qint64 total = qint64(out.size());
    if (!rle) {
        if (size < total)
            return false;
        std::copy(data, data + total, out.begin());
        return true;
    }
    qint64 pos = 0;
    qint64 written = 0;
    while (written < total) {
        if (pos >= size)
            return false;
        const uchar b = data[pos++];
        if ((b & 0xC0) == 0xC0) {
            if (pos >= size)
                return false;
            const uchar value = data[pos++];
            const qint64 count = std::min<qint64>(b & 0x3F, total - written);
            std::fill_n(out.begin() + written, count, value);
            written += count;
        } else {
            out[size_t(written++)] = b;
        }
    }
    return true;
}

} // namespace

bool PcxReader::canRead(const QByteArray &bytes)
{
    if (bytes.size() < HeaderSize)
        return false;
    const auto *h = reinterpret_cast<const uchar *>(bytes.constData());
    const int version = h[1];
    return h[0] == 0x0A && (version == 0 || (version >= 2 && version <= 5)) && h[2] <= 1;
}

QImage PcxReader::read(const QByteArray &bytes, QString *error)
{
    if (bytes.size() < HeaderSize)
        return fail(error, QStringLiteral("The PCX picture is shorter than its header."));
    if (!canRead(bytes))
        return fail(error, QStringLiteral("The picture is not a PCX picture."));
    const auto *h = reinterpret_cast<const uchar *>(bytes.constData());
    const int version = h[1];
    const bool rle = h[2] == 1;
    const int bitsPerPixel = h[3];
    const int xMin = u16(h + 4), yMin = u16(h + 6), xMax = u16(h + 8), yMax = u16(h + 10);
    const int planes = h[65];
    const int bytesPerLine = u16(h + 66);

    if (!supported(bitsPerPixel, planes))
        return fail(error,
                    QStringLiteral("PCX pictures with %1 bits in %2 planes are not supported.")
                        .arg(bitsPerPixel)
                        .arg(planes));
    if (xMax < xMin || yMax < yMin)
        return fail(error, QStringLiteral("The PCX picture has no pixels."));
    const int width = xMax - xMin + 1;
    const int height = yMax - yMin + 1;
    if (width > MaxSide || height > MaxSide || qint64(width) * height > MaxPixels)
        return fail(
            error,
            QStringLiteral("The PCX picture is too large (%1 x %2).").arg(width).arg(height));
    if (qint64(bytesPerLine) * 8 < qint64(width) * bitsPerPixel)
        return fail(error,
                    QStringLiteral("The PCX picture's scan lines are shorter than its width."));
    const qint64 lineBytes = qint64(bytesPerLine) * planes;
    const qint64 total = lineBytes * height;
    if (total > MaxDecodedBytes)
        return fail(error, QStringLiteral("The PCX picture is too large to decode."));

    qint64 dataEnd = bytes.size();
    const uchar *palette = nullptr;
    if (bitsPerPixel == 8 && planes == 1) {
        if (bytes.size() < HeaderSize + VgaPaletteSize || h[bytes.size() - VgaPaletteSize] != 0x0C)
            return fail(error, QStringLiteral("The PCX picture's colour palette is missing."));
        dataEnd -= VgaPaletteSize;
        palette = h + dataEnd + 1;
    }
    const qint64 dataSize = dataEnd - HeaderSize;
    // A run of at most 63 bytes costs two: data that cannot fill the picture is refused before
    // anything is allocated for it.
    if ((rle ? dataSize * 32 : dataSize) < total)
        return fail(error, QStringLiteral("The PCX picture is truncated."));

    std::vector<uchar> pixels(size_t(total), 0);
    if (!unpack(h + HeaderSize, dataSize, rle, pixels))
        return fail(error, QStringLiteral("The PCX picture is truncated."));

    const bool trueColour = bitsPerPixel == 8 && planes >= 3;
    QImage image(width, height,
                 trueColour ? (planes == 4 ? QImage::Format_ARGB32 : QImage::Format_RGB32)
                            : QImage::Format_Indexed8);
    if (image.isNull())
        return fail(error, QStringLiteral("Not enough memory for the PCX picture."));

    if (palette) {
        QList<QRgb> colours;
        for (int i = 0; i < 256; ++i)
            colours << qRgb(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
        image.setColorTable(colours);
    } else if (bitsPerPixel == 1 && planes == 1) {
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    } else if (!trueColour) {
        image.setColorTable(egaPalette(h, version));
    }

    for (int y = 0; y < height; ++y) {
        const uchar *line = pixels.data() + qint64(y) * lineBytes;
        uchar *out = image.scanLine(y);
        if (trueColour) {
            auto *rgb = reinterpret_cast<QRgb *>(out);
            for (int x = 0; x < width; ++x) {
                const int alpha = planes == 4 ? line[3 * bytesPerLine + x] : 255;
                rgb[x] = qRgba(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x], alpha);
            }
        } else if (bitsPerPixel == 8) {
            std::copy(line, line + width, out);
        } else if (bitsPerPixel == 4) {
            for (int x = 0; x < width; ++x)
                out[x] = (x % 2 == 0) ? (line[x / 2] >> 4) : (line[x / 2] & 0x0F);
        } else {
            for (int x = 0; x < width; ++x) {
                const int bit = 7 - x % 8;
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + x / 8] >> bit) & 1) << p;
                out[x] = uchar(index);
            }
        }
    }
    return image;
}

} // namespace rost
