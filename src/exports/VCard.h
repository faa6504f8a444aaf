#pragma once

#include <QByteArray>
#include <QString>

namespace rost {

// The pieces of a vCard 4.0 content line (RFC 6350), each one place.

// A text value with its backslash, comma and semicolon escaped and every line break (CR LF, CR
// or LF) written as \n. Other control characters are dropped: no value may carry them.
QString vcardText(const QString &value);

// A parameter value, quoted when it holds anything but letters, digits and a few safe marks;
// a line break, a double quote and a caret are written ^n, ^' and ^^ (RFC 6868).
QString vcardParam(const QString &value);

// Appends one content line in UTF-8, folded so that no physical line passes 75 octets without
// its CRLF: each continuation line starts with one space, and no UTF-8 sequence is split.
void appendFolded(QByteArray &out, const QString &contentLine);

} // namespace rost
