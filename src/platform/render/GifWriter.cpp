#include "platform/render/GifWriter.h"

#include "platform/render/IndexedImage.h"

#include <algorithm>

namespace rost {

namespace {

constexpr int ClearCode = 256;
constexpr int EndCode = 257;
// Every pixel is sent as its own 9-bit code. The decoder still adds a table entry for each code
// and widens its codes once the table reaches 512 entries; a clear code well before that point
// keeps all codes at 9 bits, so no real dictionary is needed on this side.
constexpr int CodesPerClear = 250;

// Packs 9-bit codes least significant bit first, as GIF wants.
class CodeWriter
{
public:
    void put(int code)
    {
        m_bits |= quint32(code) << m_count;
        m_count += 9;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

} // namespace

QByteArray GifWriter::write(const QImage &image)
{
    const QImage indexed = IndexedImage::from(image);
    if (indexed.isNull())
        return {};
    const int width = indexed.width();
    const int height = indexed.height();

    QByteArray out("GIF89a");
    IndexedImage::appendWord(out, width);
    IndexedImage::appendWord(out, height);
    out.append(char(0xF7)); // global palette of 256 colours, 8 bits a primary
    out.append('\0');       // background colour
    out.append('\0');       // square pixels
    IndexedImage::appendPalette(out, indexed);

    out.append(char(0x2C)); // image descriptor
    IndexedImage::appendWord(out, 0);
    IndexedImage::appendWord(out, 0);
    IndexedImage::appendWord(out, width);
    IndexedImage::appendWord(out, height);
    out.append('\0');    // no local palette, not interlaced
    out.append(char(8)); // minimum code size

    CodeWriter codes;
    int sinceClear = CodesPerClear;
    for (int y = 0; y < height; ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (sinceClear == CodesPerClear) {
                codes.put(ClearCode);
                sinceClear = 0;
            }
            codes.put(line[x]);
            ++sinceClear;
        }
    }
    codes.put(EndCode);
    const QByteArray data = codes.finish();
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.append(char(length));
        out.append(data.constData() + at, length);
    }
    out.append('\0'); // end of the image data
    out.append(char(0x3B));
    return out;
}

} // namespace rost
