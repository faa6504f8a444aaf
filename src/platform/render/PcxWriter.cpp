#include "platform/render/PcxWriter.h"

#include "platform/render/IndexedImage.h"

namespace rost {

QByteArray PcxWriter::write(const QImage &image)
{
    const QImage indexed = IndexedImage::from(image);
    if (indexed.isNull())
        return {};
    const int width = indexed.width();
    // Scan lines hold an even number of bytes.
    const int bytesPerLine = width + (width & 1);

    QByteArray out;
    out.append(char(0x0A)); // maker
    out.append(char(5));    // version with a 256-colour palette
    out.append(char(1));    // run-length encoded
    out.append(char(8));    // bits per pixel
    IndexedImage::appendWord(out, 0);
    IndexedImage::appendWord(out, 0);
    IndexedImage::appendWord(out, width - 1);
    IndexedImage::appendWord(out, indexed.height() - 1);
    IndexedImage::appendWord(out, 72);
    IndexedImage::appendWord(out, 72);
    out.append(48, '\0'); // EGA palette, unused at 8 bits
    out.append('\0');
    out.append(char(1)); // planes
    IndexedImage::appendWord(out, bytesPerLine);
    IndexedImage::appendWord(out, 1); // palette holds colours
    out.append(128 - out.size(), '\0');

    for (int y = 0; y < indexed.height(); ++y) {
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
    IndexedImage::appendPalette(out, indexed);
    return out;
}

} // namespace rost
