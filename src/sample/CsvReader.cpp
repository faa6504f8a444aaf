#include "sample/CsvReader.h"

namespace rost {

namespace {

// The line of the first byte that is not UTF-8, or 0 when all are. Valid UTF-8 survives decoding
// and encoding again unchanged; no byte of a multi-byte sequence is a line feed, so the text can
// be checked line by line.
int firstBadUtf8Line(const QByteArray &bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView part = QByteArrayView(bytes).sliced(start, end - start);
        if (QString::fromUtf8(part).toUtf8() != part)
            return line;
        start = end + 1;
        ++line;
    }
    return 0;
}

} // namespace

CsvParse parseCsv(const QByteArray &bytes)
{
    CsvParse result;
    QByteArray utf8 = bytes;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8.remove(0, 3);
    result.errorLine = firstBadUtf8Line(utf8);
    if (result.errorLine > 0) {
        result.error = QStringLiteral("The text is not UTF-8.");
        return result;
    }
    const QString text = QString::fromUtf8(utf8);

    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    const auto atLineEnd = [&](qsizetype at) {
        return at < n && (text[at] == QLatin1Char('\n') || text[at] == QLatin1Char('\r'));
    };
    // Steps over one line end (CR LF, LF or a lone CR) at i.
    const auto skipLineEnd = [&] {
        if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++i;
        ++line;
    };

    while (i < n) {
        if (atLineEnd(i)) { // a line holding nothing
            skipLineEnd();
            continue;
        }
        CsvRecord record;
        record.line = line;
        while (true) {
            QString field;
            if (i < n && text[i] == QLatin1Char('"')) {
                const int quoteLine = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i];
                    if (c == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            field += QLatin1Char('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n') ||
                        (c == QLatin1Char('\r') &&
                         !(i + 1 < n && text[i + 1] == QLatin1Char('\n'))))
                        ++line;
                    field += c;
                    ++i;
                }
                if (!closed) {
                    result.error = QStringLiteral("A quoted value is not closed.");
                    result.errorLine = quoteLine;
                    return result;
                }
                if (i < n && text[i] != QLatin1Char(',') && !atLineEnd(i)) {
                    result.error = QStringLiteral("Text follows a closing quote; a quote inside "
                                                  "a quoted value is written twice.");
                    result.errorLine = line;
                    return result;
                }
            } else {
                while (i < n && text[i] != QLatin1Char(',') && !atLineEnd(i))
                    field += text[i++];
            }
            record.fields << field;
            if (i < n && text[i] == QLatin1Char(',')) {
                ++i;
                continue;
            }
            break;
        }
        result.records.push_back(std::move(record));
        if (i < n)
            skipLineEnd();
    }
    return result;
}

} // namespace rost
