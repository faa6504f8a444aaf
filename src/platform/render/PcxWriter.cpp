#include "platform/render/PcxWriter.h"

namespace rost {

namespace {

void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

QByteArray PcxWriter::write(const QImage &image)
{
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF)
        return {};
    const QImage indexed =
        image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const int width = indexed.width();
    const int height = indexed.height();
    // Scan lines hold an even number of bytes.
    const int bytesPerLine = width + (width & 1);

    QByteArray out;
    out.append(char(0x0A)); // maker
    out.append(char(5));    // version with a 256-colour palette
    out.append(char(1));    // run-length encoded
    out.append(char(8));    // bits per pixel
    put16(out, 0);
    put16(out, 0);
    put16(out, width - 1);
    put16(out, height - 1);
    put16(out, 72);
    put16(out, 72);
    out.append(48, '\0'); // EGA palette, unused at 8 bits
    out.append('\0');
    out.append(char(1)); // planes
    put16(out, bytesPerLine);
    put16(out, 1); // palette holds colours
    out.append(128 - out.size(), '\0');

    for (int y = 0; y < height; ++y) {
        const uchar *line = indexed.constScanLine(y);
        int x = 0;
        while (x < bytesPerLine) {
            const uchar value = x < width ? line[x] : 0;
            int run = 1;
            // Runs stay inside their scan line and within the 63 a count byte can hold.
            while (x + run < bytesPerLine && run < 63 &&
                   (x + run < width ? line[x + run] : 0) == value)
                ++run;
            if (run > 1 || (value & 0xC0) == 0xC0)
                out.append(char(0xC0 | run));
            out.append(char(value));
            x += run;
        }
    }

    out.append(char(0x0C));
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < colours.size() ? colours.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    return out;
}

} // namespace rost
