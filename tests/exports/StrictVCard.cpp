#include "StrictVCard.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace rost::test {

namespace {

bool validUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeParam(const QString &raw, QString &error)
{
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != QLatin1Char('^')) {
            out += raw.at(i);
            continue;
        }
        const QChar next = i + 1 < raw.size() ? raw.at(i + 1) : QChar();
        if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('\''))
            out += QLatin1Char('"');
        else if (next == QLatin1Char('^'))
            out += QLatin1Char('^');
        else
            error = QStringLiteral("a caret that is no escape in a parameter: ") + raw;
        ++i;
    }
    return out;
}

// name *(";" param) ":" value
bool parseLine(const QString &line, VProperty &p, QString &error)
{
    static const QRegularExpression nameRe(QStringLiteral("^[A-Za-z0-9-]+"));
    const QRegularExpressionMatch name = nameRe.match(line);
    if (!name.hasMatch()) {
        error = QStringLiteral("no property name: ") + line;
        return false;
    }
    p.name = name.captured().toUpper();
    qsizetype i = name.capturedLength();
    while (i < line.size() && line.at(i) == QLatin1Char(';')) {
        const qsizetype eq = line.indexOf(QLatin1Char('='), i);
        if (eq < 0) {
            error = QStringLiteral("a parameter without a value: ") + line;
            return false;
        }
        const QString param = line.mid(i + 1, eq - i - 1);
        if (!nameRe.match(param).hasMatch() ||
            nameRe.match(param).capturedLength() != param.size()) {
            error = QStringLiteral("a bad parameter name: ") + line;
            return false;
        }
        i = eq + 1;
        QString raw;
        const bool quoted = i < line.size() && line.at(i) == QLatin1Char('"');
        if (quoted) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                error = QStringLiteral("an unclosed quote: ") + line;
                return false;
            }
            raw = line.mid(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < line.size() && line.at(i) != QLatin1Char(';') &&
                   line.at(i) != QLatin1Char(':')) {
                if (line.at(i) == QLatin1Char('"')) {
                    error = QStringLiteral("a quote inside an unquoted parameter: ") + line;
                    return false;
                }
                raw += line.at(i++);
            }
        }
        // A comma separates the values of a parameter such as TYPE.
        for (const QString &v : quoted ? QStringList{raw} : raw.split(QLatin1Char(',')))
            p.params.insert(param.toUpper(), decodeParam(v, error));
        if (!error.isEmpty())
            return false;
    }
    if (i >= line.size() || line.at(i) != QLatin1Char(':')) {
        error = QStringLiteral("no colon after the parameters: ") + line;
        return false;
    }
    p.value = line.mid(i + 1);
    for (QChar c : p.value) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F) {
            error = QStringLiteral("a control character in a value: ") + line;
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<const VProperty *> VCardRead::all(const QString &name) const
{
    std::vector<const VProperty *> found;
    for (const VProperty &p : properties) {
        if (p.name == name)
            found.push_back(&p);
    }
    return found;
}

QString VCardRead::text(const QString &name) const
{
    const auto found = all(name);
    if (found.empty())
        return {};
    QString error;
    const QStringList parts = splitText(found.front()->value, QChar(), error);
    return error.isEmpty() ? parts.value(0) : QStringLiteral("<") + error + QLatin1Char('>');
}

QStringList splitText(const QString &value, QChar separator, QString &error)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\')) {
            const QChar next = i + 1 < value.size() ? value.at(i + 1) : QChar();
            if (next == QLatin1Char('n') || next == QLatin1Char('N'))
                parts.last() += QLatin1Char('\n');
            else if (next == QLatin1Char('\\') || next == QLatin1Char(',') ||
                     next == QLatin1Char(';'))
                parts.last() += next;
            else
                error = QStringLiteral("a backslash that is no escape: ") + value;
            ++i;
        } else if (c == separator && !separator.isNull()) {
            parts << QString();
        } else if (c == QLatin1Char(';') || (c == QLatin1Char(',') && separator.isNull())) {
            error = QStringLiteral("an unescaped separator: ") + value;
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

std::vector<VCardRead> readStrictVCards(const QByteArray &bytes, QString &error)
{
    std::vector<VCardRead> cards;
    if (!validUtf8(bytes)) {
        error = QStringLiteral("not UTF-8");
        return cards;
    }
    if (!bytes.endsWith("\r\n")) {
        error = QStringLiteral("the last line has no CRLF");
        return cards;
    }
    QStringList logical;
    const QList<QByteArray> physical = bytes.left(bytes.size() - 2).split('\n');
    for (const QByteArray &withCr : physical) {
        if (!withCr.endsWith('\r') && &withCr != &physical.last()) {
            error = QStringLiteral("a line ends in LF alone: ") + QString::fromUtf8(withCr);
            return cards;
        }
        const QByteArray line = &withCr == &physical.last() ? withCr : withCr.chopped(1);
        if (line.contains('\r')) {
            error = QStringLiteral("a CR inside a line: ") + QString::fromUtf8(line);
            return cards;
        }
        if (line.size() > 75) {
            error =
                QStringLiteral("a line of %1 octets: ").arg(line.size()) + QString::fromUtf8(line);
            return cards;
        }
        if (!validUtf8(line)) {
            error = QStringLiteral("a fold splits a character: ") + QString::fromUtf8(line);
            return cards;
        }
        if (line.startsWith(' ')) {
            if (logical.isEmpty()) {
                error = QStringLiteral("the file begins with a continuation line");
                return cards;
            }
            logical.last() += QString::fromUtf8(line.mid(1));
        } else {
            logical << QString::fromUtf8(line);
        }
    }
    VCardRead *card = nullptr;
    bool versionNext = false;
    for (const QString &line : logical) {
        VProperty p;
        if (!parseLine(line, p, error))
            return cards;
        if (p.name == QLatin1String("BEGIN")) {
            if (card || p.value.compare(QLatin1String("VCARD"), Qt::CaseInsensitive) != 0) {
                error = QStringLiteral("BEGIN inside a card, or not of a VCARD");
                return cards;
            }
            cards.emplace_back();
            card = &cards.back();
            versionNext = true;
            continue;
        }
        if (!card) {
            error = QStringLiteral("a property outside a card: ") + line;
            return cards;
        }
        if (versionNext &&
            (p.name != QLatin1String("VERSION") || p.value != QLatin1String("4.0"))) {
            error = QStringLiteral("the card does not begin with VERSION:4.0");
            return cards;
        }
        versionNext = false;
        if (p.name == QLatin1String("END")) {
            if (card->all(QStringLiteral("FN")).size() != 1 ||
                card->all(QStringLiteral("N")).size() > 1) {
                error = QStringLiteral("a card without exactly one FN, or with two N");
                return cards;
            }
            card = nullptr;
            continue;
        }
        card->properties.push_back(p);
    }
    if (card)
        error = QStringLiteral("the last card has no END");
    return cards;
}

} // namespace rost::test
