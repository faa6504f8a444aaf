#include "exports/VCard.h"

namespace rost {

namespace {

constexpr qsizetype LineOctets = 75;

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool isDroppedControl(QChar c)
{
    return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F;
}

// Whether a line break (CR, LF or CR LF) stands at i; i is moved onto its last character.
bool takeLineBreak(const QString &value, qsizetype &i)
{
    const QChar c = value.at(i);
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
        return false;
    if (c == QLatin1Char('\r') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
        ++i;
    return true;
}

} // namespace

QString vcardText(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (takeLineBreak(value, i)) {
            out += QLatin1String("\\n");
        } else if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (!isDroppedControl(c)) {
            out += c;
        }
    }
    return out;
}

QString vcardParam(const QString &value)
{
    QString out;
    bool quote = value.isEmpty();
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (takeLineBreak(value, i)) {
            out += QLatin1String("^n");
        } else if (c == QLatin1Char('"')) {
            out += QLatin1String("^'");
        } else if (c == QLatin1Char('^')) {
            out += QLatin1String("^^");
        } else if (!isDroppedControl(c)) {
            out += c;
            quote = quote || !(c.isLetterOrNumber() || c == QLatin1Char('-'));
        }
    }
    return quote ? QLatin1Char('"') + out + QLatin1Char('"') : out;
}

void appendFolded(QByteArray &out, const QString &contentLine)
{
    const QByteArray line = contentLine.toUtf8();
    qsizetype start = 0;
    qsizetype room = LineOctets;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && isUtf8Continuation(line.at(cut)))
            --cut;
        out.append(line.constData() + start, cut - start);
        out.append("\r\n ");
        start = cut;
        room = LineOctets - 1; // the leading space counts
    }
    out.append(line.constData() + start, line.size() - start);
    out.append("\r\n");
}

} // namespace rost
