#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace rost {

// The largest amount of memory a single picture may take while it is decoded, in megabytes.
inline constexpr int PictureAllocationLimitMb = 256;

// Decodes the bytes of a family picture: PCX by its header through our own reader, JPEG, BMP, GIF,
// PNG and TIFF through Qt's readers under an explicit allocation limit. Other formats are refused,
// so that a picture field cannot reach decoders nobody meant to expose. Anything that does not
// decode gives a null image and, when error is given, the reason.
QImage decodePicture(const QByteArray &bytes, QString *error = nullptr);

} // namespace rost
