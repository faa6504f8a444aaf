#include "Arguments.h"

#include <cstring>

namespace rost::batch {

namespace {

const QString HelpName = QStringLiteral("help");

} // namespace

Arguments::Arguments(const Usage &usage, const QStringList &args) : m_arguments(usage.arguments())
{
    const std::vector<Option> options = usage.options();
    for (const Option &option : options) {
        const QString name = QLatin1String(option.name);
        const QString description = QLatin1String(option.description);
        m_parser.addOption(option.valueName ? QCommandLineOption(name, description,
                                                                 QLatin1String(option.valueName))
                                            : QCommandLineOption(name, description));
    }
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), HelpName}, {}));
    for (const Argument &argument : m_arguments)
        m_parser.addPositionalArgument(QLatin1String(argument.syntax),
                                       QLatin1String(argument.description));

    // The parser takes the first entry for the program's name.
    const bool parsed = m_parser.parse(QStringList{QStringLiteral("rostella-batch")} + args);
    m_help = m_parser.isSet(HelpName);
    if (m_help)
        return;
    if (!parsed)
        throw UsageError{m_parser.errorText()};
    checkRepeats();
    const QStringList given = m_parser.optionNames();
    usage.check(QSet<QString>(given.begin(), given.end()));
    checkNumbers(options);
    checkArgumentCount();
}

bool Arguments::isSet(const Option &option) const
{
    return m_parser.isSet(QLatin1String(option.name));
}

QString Arguments::value(const Option &option) const
{
    return m_parser.value(QLatin1String(option.name));
}

QString Arguments::argument(const Argument &argument) const
{
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        if (std::strcmp(m_arguments[i].syntax, argument.syntax) == 0)
            return m_parser.positionalArguments().at(qsizetype(i));
    }
    Q_UNREACHABLE();
}

// The parser would keep the last of two values silently; which one was meant is the user's to say.
void Arguments::checkRepeats() const
{
    const QStringList given = m_parser.optionNames();
    for (const QString &name : given) {
        if (given.count(name) > 1)
            throw UsageError{QStringLiteral("Option --%1 is given more than once.").arg(name)};
    }
}

void Arguments::checkNumbers(const std::vector<Option> &options) const
{
    for (const Option &option : options) {
        if (!option.number || !isSet(option) || option.number->contains(value(option)))
            continue;
        throw UsageError{
            QStringLiteral("Option --%1 needs a whole number from %2 to %3, not \"%4\".")
                .arg(QLatin1String(option.name))
                .arg(option.number->min)
                .arg(option.number->max)
                .arg(value(option))};
    }
}

void Arguments::checkArgumentCount() const
{
    const QStringList given = m_parser.positionalArguments();
    if (size_t(given.size()) < m_arguments.size())
        throw UsageError{QStringLiteral("Argument %1 is required.")
                             .arg(QLatin1String(m_arguments[size_t(given.size())].syntax))};
    if (size_t(given.size()) > m_arguments.size())
        throw UsageError{QStringLiteral("Unexpected argument \"%1\".")
                             .arg(given.at(qsizetype(m_arguments.size())))};
}

} // namespace rost::batch
