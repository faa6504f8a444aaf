#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace rost {

// Decoder for ZSoft PCX pictures: 8-bit paletted (VGA palette after the pixels), 24-bit and
// 32-bit true colour (3 or 4 planes of 8 bits), 1-bit monochrome, and the 16-colour variants
// (4 planes of 1 bit, or 1 plane of 4 bits) with the header's EGA palette. Pixel data may be
// run-length encoded or raw.
//
// The bytes come from table files produced elsewhere, so they are treated as hostile: every run
// and scan line is checked against the buffer it writes, dimensions and the decoded size are
// limited, and a damaged file yields a null image with a reason rather than a partial read.
class PcxReader
{
public:
    static constexpr int MaxSide = 16384;
    static constexpr qint64 MaxPixels = 64LL * 1024 * 1024;

    // True when the bytes start with a plausible PCX header (maker 0x0A, known version and
    // encoding); only then is read() worth trying.
    static bool canRead(const QByteArray &bytes);

    // The picture, or a null image with *error set.
    static QImage read(const QByteArray &bytes, QString *error = nullptr);
};

} // namespace rost
