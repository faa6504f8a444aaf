#pragma once

#include <QByteArray>
#include <QString>

namespace rost {

// The longest side of a contact's picture, in pixels: enough for a phone's contact card, small
// enough that a directory of them stays a file a phone imports.
inline constexpr int ContactPhotoSide = 256;

// A family picture as a JPEG of at most ContactPhotoSide pixels a side (never enlarged). Empty,
// with the reason in error, when the picture does not decode.
QByteArray contactPhoto(const QByteArray &picture, QString *error);

} // namespace rost
