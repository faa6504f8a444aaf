#pragma once

#include <QByteArray>
#include <QImage>

namespace rost {

// What the writers of the older picture formats share: pictures of at most 256 colours whose width
// and height are 16-bit numbers, stored least significant byte first.
class IndexedImage
{
public:
    // The image in at most 256 colours; a null image when it is empty or too large to be written.
    static QImage from(const QImage &image);
    // A 16-bit number, least significant byte first.
    static void appendWord(QByteArray &out, int value);
    // The image's colour table as 256 red, green and blue byte triples, unused entries black.
    static void appendPalette(QByteArray &out, const QImage &indexed);
};

} // namespace rost
