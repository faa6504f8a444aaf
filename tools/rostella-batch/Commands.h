#pragma once

#include <QHash>
#include <QStringList>

#include <vector>

#include <functional>

// The commands of rostella-batch. Each takes its own arguments (without the command name), writes
// its output to standard output and its errors to standard error, and returns the exit code.
namespace rost::batch {

struct Command
{
    const char *name;
    const char *usage; // one line per form, shown by --help
    std::function<int(const QStringList &args)> run;
};

// Thrown for a usage error or a failure; main prints the text and exits with the code.
struct Failure
{
    QString text;
    int exitCode = 1;
};

// Options of the form --name VALUE and --flag. Unknown options are a usage error.
class Options
{
public:
    Options(const QStringList &args, const QStringList &valued, const QStringList &flags);
    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    QString required(const QString &name) const;
    int intValue(const QString &name, int fallback) const;
    const QStringList &positional() const { return m_positional; }

private:
    QHash<QString, QString> m_values;
    QStringList m_positional;
};

const std::vector<Command> &commands();

} // namespace rost::batch
