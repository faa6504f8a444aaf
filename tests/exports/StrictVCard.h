#pragma once

#include <QByteArray>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace rost::test {

// One property of a card, its parameter names in upper case, its value as written.
struct VProperty
{
    QString name;
    QMultiHash<QString, QString> params; // values with RFC 6868's ^n, ^' and ^^ decoded
    QString value;
};

struct VCardRead
{
    std::vector<VProperty> properties;

    // The properties of that name, in order.
    std::vector<const VProperty *> all(const QString &name) const;
    // The one property of that name's text, unescaped; empty when there is none.
    QString text(const QString &name) const;
};

// Reads vCard 4.0 text strictly, failing (with error set) where a lenient reader would guess:
// valid UTF-8, every line ending in CRLF and no CR or LF elsewhere, no physical line over 75
// octets, each physical line valid UTF-8 on its own (a fold never splits a character), a
// continuation line beginning with one space, property and parameter names of letters, digits
// and hyphens, parameter values quoted or free of ; : , and ", values free of control characters
// but tab, cards from BEGIN:VCARD with VERSION:4.0 next, one FN and one N, to END:VCARD.
std::vector<VCardRead> readStrictVCards(const QByteArray &bytes, QString &error);

// A text value unescaped: \\ \, \; \n and \N only; any other backslash, or an unescaped
// separator, fails. separator is ';' to split a structured value, ',' to split a list, or 0 for
// a single text, in which neither may stand unescaped.
QStringList splitText(const QString &value, QChar separator, QString &error);

} // namespace rost::test
