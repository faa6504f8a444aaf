#pragma once

#include <QByteArray>
#include <QImage>

namespace rost {

// Writes a picture as a GIF89a file with one 256-colour global palette. Qt reads GIF but cannot
// write it, and the sample directory needs GIF pictures. Pictures of more than 256 colours are
// reduced first.
class GifWriter
{
public:
    // Empty for a null image.
    static QByteArray write(const QImage &image);
};

} // namespace rost
