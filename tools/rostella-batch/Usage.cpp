#include "Usage.h"

#include <algorithm>

namespace rost::batch {

namespace {

QString dashed(const QString &name)
{
    return QStringLiteral("--") + name;
}

// "--a and --b", "--a, --b and --c".
QString listed(const QStringList &names)
{
    QStringList shown;
    for (const QString &name : names)
        shown << dashed(name);
    const QString last = shown.takeLast();
    return shown.isEmpty() ? last
                           : shown.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace

bool NumberRange::contains(const QString &text) const
{
    bool ok = false;
    if (min < 0) {
        const qint64 value = text.toLongLong(&ok);
        return ok && value >= min && (value < 0 || quint64(value) <= max);
    }
    const quint64 value = text.toULongLong(&ok);
    return ok && value >= quint64(min) && value <= max;
}

Usage::Usage(const Option &option) : m_kind(Kind::Option), m_option(option) {}

Usage::Usage(const Argument &argument) : m_kind(Kind::Argument), m_argument(argument) {}

Usage::Usage(Kind kind, std::vector<Usage> parts) : m_kind(kind), m_parts(std::move(parts)) {}

Usage sequence(std::vector<Usage> parts)
{
    return Usage(Usage::Kind::Sequence, std::move(parts));
}

Usage oneOf(std::vector<Usage> alternatives)
{
    return Usage(Usage::Kind::OneOf, std::move(alternatives));
}

Usage optional(Usage part)
{
    return Usage(Usage::Kind::Optional, {std::move(part)});
}

QString Usage::text() const
{
    switch (m_kind) {
    case Kind::Option:
        return m_option->valueName ? dashed(QLatin1String(m_option->name)) + QLatin1Char(' ') +
                                         QLatin1String(m_option->valueName)
                                   : dashed(QLatin1String(m_option->name));
    case Kind::Argument:
        return QLatin1String(m_argument->syntax);
    case Kind::Sequence: {
        QStringList parts;
        for (const Usage &part : m_parts)
            parts << part.text();
        return parts.join(QLatin1Char(' '));
    }
    case Kind::OneOf:
        return QLatin1Char('(') + alternativesText() + QLatin1Char(')');
    case Kind::Optional: {
        const Usage &part = m_parts.front();
        return QLatin1Char('[') +
               (part.m_kind == Kind::OneOf ? part.alternativesText() : part.text()) +
               QLatin1Char(']');
    }
    }
    Q_UNREACHABLE();
}

QString Usage::alternativesText() const
{
    QStringList alternatives;
    for (const Usage &part : m_parts)
        alternatives << part.text();
    return alternatives.join(QStringLiteral(" | "));
}

std::vector<Option> Usage::options() const
{
    std::vector<Option> found;
    if (m_option)
        found.push_back(*m_option);
    for (const Usage &part : m_parts) {
        for (const Option &option : part.options()) {
            const auto same = [&](const Option &o) {
                return QLatin1String(o.name) == QLatin1String(option.name);
            };
            if (std::none_of(found.begin(), found.end(), same))
                found.push_back(option);
        }
    }
    return found;
}

std::vector<Argument> Usage::arguments() const
{
    std::vector<Argument> found;
    if (m_argument)
        found.push_back(*m_argument);
    for (const Usage &part : m_parts) {
        const std::vector<Argument> inner = part.arguments();
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

QStringList Usage::names() const
{
    QStringList names;
    for (const Option &option : options())
        names << QLatin1String(option.name);
    return names;
}

bool Usage::mentions(const QString &name) const
{
    return names().contains(name);
}

bool Usage::anyGiven(const QSet<QString> &given) const
{
    const QStringList all = names();
    return std::any_of(all.begin(), all.end(),
                       [&](const QString &name) { return given.contains(name); });
}

void Usage::check(const QSet<QString> &given, bool required) const
{
    switch (m_kind) {
    case Kind::Option:
        if (required && !given.contains(QLatin1String(m_option->name)))
            throw UsageError{QStringLiteral("Option %1 is required.")
                                 .arg(dashed(QLatin1String(m_option->name)))};
        return;
    case Kind::Argument:
        return;
    case Kind::Sequence: {
        // A sequence that is only partly given, inside an optional part or an alternative, needs
        // the rest as well.
        const bool needed = required || anyGiven(given);
        for (const Usage &part : m_parts)
            part.check(given, needed);
        return;
    }
    case Kind::OneOf:
        checkOneOf(given, required);
        return;
    case Kind::Optional:
        m_parts.front().check(given, false);
        return;
    }
}

void Usage::checkOneOf(const QSet<QString> &given, bool required) const
{
    // An alternative is chosen by a given option that no other alternative mentions.
    struct Choice
    {
        const Usage *alternative;
        QString by;
    };
    std::vector<Choice> chosen;
    for (const Usage &alternative : m_parts) {
        for (const QString &name : alternative.names()) {
            const auto alsoElsewhere = [&](const Usage &other) {
                return &other != &alternative && other.mentions(name);
            };
            if (given.contains(name) &&
                std::none_of(m_parts.begin(), m_parts.end(), alsoElsewhere)) {
                chosen.push_back({&alternative, name});
                break;
            }
        }
    }
    if (chosen.size() > 1)
        throw UsageError{QStringLiteral("Options %1 and %2 cannot be given together.")
                             .arg(dashed(chosen[0].by), dashed(chosen[1].by))};
    if (chosen.empty()) {
        if (!required && !anyGiven(given))
            return;
        QStringList leading;
        for (const Usage &alternative : m_parts)
            leading << alternative.names().constFirst();
        throw UsageError{QStringLiteral("One of %1 is required.").arg(listed(leading))};
    }
    const Choice &choice = chosen.front();
    choice.alternative->check(given, true);
    for (const QString &name : names()) {
        if (given.contains(name) && !choice.alternative->mentions(name))
            throw UsageError{QStringLiteral("Option %1 cannot be given with %2.")
                                 .arg(dashed(name), dashed(choice.by))};
    }
}

} // namespace rost::batch
