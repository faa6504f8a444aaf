#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <limits>
#include <optional>
#include <vector>

namespace rost::batch {

// The whole numbers an option accepts, both ends included.
struct NumberRange
{
    qint64 min;
    quint64 max;

    bool contains(const QString &text) const;
};

// The range of the 16-bit Family ID Num and Indiv ID Num.
inline constexpr NumberRange IdNumbers{std::numeric_limits<qint16>::min(),
                                       std::numeric_limits<qint16>::max()};

// An option of one command, declared once: the help, the usage line and the checks all read it.
struct Option
{
    const char *name;        // without the leading --
    const char *valueName;   // what the usage line shows for the value; nullptr for a flag
    const char *description; // one line of help
    std::optional<NumberRange> number = std::nullopt; // set when the value is a whole number
};

// An argument given by position, such as the SQL of query.
struct Argument
{
    const char *syntax; // as the usage line shows it
    const char *description;
};

// Thrown when the command line does not fit the command; the caller adds the usage line.
struct UsageError
{
    QString text;
};

// How a command's options combine. The usage line is written from it, and the options given are
// checked against it: a sequence needs each of its parts, one-of exactly one alternative, and an
// optional part is checked only as far as it is given. An option that several alternatives of one
// choice share (list's --out) does not choose among them.
class Usage
{
public:
    // Implicit, so that a declaration reads like the usage line it produces.
    Usage(const Option &option);
    Usage(const Argument &argument);

    friend Usage sequence(std::vector<Usage> parts);
    friend Usage oneOf(std::vector<Usage> alternatives);
    friend Usage optional(Usage part);

    QString text() const;
    // Every option once, in the order the usage line names them.
    std::vector<Option> options() const;
    std::vector<Argument> arguments() const;

    // given holds the names of the options on the command line. Throws UsageError.
    void check(const QSet<QString> &given) const { check(given, true); }

private:
    enum class Kind { Option, Argument, Sequence, OneOf, Optional };
    Usage(Kind kind, std::vector<Usage> parts);

    void collectNames(QStringList &names) const;
    QStringList names() const;
    bool mentions(const QString &name) const;
    bool anyGiven(const QSet<QString> &given) const;
    QString alternativesText() const;
    void check(const QSet<QString> &given, bool required) const;
    void checkOneOf(const QSet<QString> &given, bool required) const;

    Kind m_kind;
    std::optional<Option> m_option;
    std::optional<Argument> m_argument;
    std::vector<Usage> m_parts;
};

Usage sequence(std::vector<Usage> parts);
Usage oneOf(std::vector<Usage> alternatives);
Usage optional(Usage part);

} // namespace rost::batch
