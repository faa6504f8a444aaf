#pragma once

#include <QByteArray>
#include <QImage>

namespace rost {

// Writes a picture as an 8-bit paletted, run-length encoded PCX file (version 5, with the
// 256-colour palette after the pixels). Pictures of more than 256 colours are reduced first.
class PcxWriter
{
public:
    // Empty for a null image.
    static QByteArray write(const QImage &image);
};

} // namespace rost
