#pragma once

#include "Arguments.h"
#include "Usage.h"

#include "directory/DataFolderLock.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace rost::batch {

class DataContext;

inline constexpr Option DataOption{"data", "DIR",
                                   "the data folder: the folder holding the table files"};

// Thrown when a command fails; main prints the text and exits with the code.
struct Failure
{
    QString text;
    int exitCode = 1;
};

// One command of rostella-batch: its name, what it does, and its options and arguments as its
// usage combines them. The help and the usage line are written from these declarations.
class Command
{
public:
    using Run = std::function<int(const Arguments &args)>;
    using RunOnData = std::function<int(const Arguments &args, DataContext &data)>;

    // usage is the sequence of parts after the command's name.
    Command(const char *name, const char *summary, std::vector<Usage> usage, Run run);
    // A command over the table files of a data folder: its usage starts with --data DIR, and the
    // folder is checked and its lock taken with the given access before run is called.
    static Command onData(const char *name, const char *summary, std::vector<Usage> usage,
                          RunOnData run,
                          DataFolderLock::Mode access = DataFolderLock::Mode::Shared);

    const char *name() const { return m_name; }
    // "rostella-batch NAME OPTIONS..."
    QString usageLine() const;
    QString help() const;

    // Parses args (the words after the command's name) and runs the command, or prints its help
    // for --help. Returns the exit code; throws UsageError or Failure.
    int execute(const QStringList &args) const;

private:
    const char *m_name;
    const char *m_summary;
    Usage m_usage;
    Run m_run;
};

} // namespace rost::batch
