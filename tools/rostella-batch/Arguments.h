#pragma once

#include "Usage.h"

#include <QCommandLineParser>

#include <type_traits>
#include <utility>

namespace rost::batch {

// The command line of one command, parsed and checked against the command's usage in one place:
// no unknown or repeated option, a value wherever one is wanted, the options combined as the usage
// says, every number a whole number in its range, and exactly the positional arguments it names.
// A command reads only values that passed.
class Arguments
{
public:
    // Throws UsageError, unless --help is given; then nothing else is checked.
    Arguments(const Usage &usage, const QStringList &args);

    bool helpRequested() const { return m_help; }
    bool isSet(const Option &option) const;
    QString value(const Option &option) const;
    QString argument(const Argument &argument) const;

    // The value of an option declared with a range that fits T; fallback when it is not given.
    template <typename T> T number(const Option &option, T fallback = T()) const
    {
        if (!isSet(option))
            return fallback;
        if constexpr (std::is_signed_v<T>) {
            const qint64 v = value(option).toLongLong();
            Q_ASSERT(std::in_range<T>(v));
            return static_cast<T>(v);
        } else {
            const quint64 v = value(option).toULongLong();
            Q_ASSERT(std::in_range<T>(v));
            return static_cast<T>(v);
        }
    }

private:
    void checkRepeats() const;
    void checkNumbers(const std::vector<Option> &options) const;
    void checkArgumentCount() const;

    std::vector<Argument> m_arguments;
    QCommandLineParser m_parser;
    bool m_help = false;
};

} // namespace rost::batch
