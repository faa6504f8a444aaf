#include "Command.h"

#include "DataContext.h"

#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace rost::batch {

namespace {

struct HelpRow
{
    QString left;
    QString description;
};

void appendRows(QString &text, const char *heading, const std::vector<HelpRow> &rows, int width)
{
    if (rows.empty())
        return;
    text += QLatin1Char('\n') + QLatin1String(heading) + QStringLiteral(":\n");
    for (const HelpRow &row : rows)
        text += QStringLiteral("  ") + row.left.leftJustified(width) + row.description +
                QLatin1Char('\n');
}

} // namespace

Command::Command(const char *name, const char *summary, std::vector<Usage> usage, Run run)
    : m_name(name), m_summary(summary), m_usage(sequence(std::move(usage))), m_run(std::move(run))
{}

Command Command::onData(const char *name, const char *summary, std::vector<Usage> usage,
                        RunOnData run, DataFolderLock::Mode access)
{
    usage.insert(usage.begin(), DataOption);
    return Command(name, summary, std::move(usage),
                   [run = std::move(run), access](const Arguments &args) {
                       DataContext data(args.value(DataOption), access);
                       return run(args, data);
                   });
}

QString Command::usageLine() const
{
    return QStringLiteral("rostella-batch ") + QLatin1String(m_name) + QLatin1Char(' ') +
           m_usage.text();
}

QString Command::help() const
{
    std::vector<HelpRow> options;
    for (const Option &option : m_usage.options())
        options.push_back({Usage(option).text(), QLatin1String(option.description)});
    options.push_back({QStringLiteral("-h, --help"), QStringLiteral("this help")});
    std::vector<HelpRow> arguments;
    for (const Argument &argument : m_usage.arguments())
        arguments.push_back({QLatin1String(argument.syntax), QLatin1String(argument.description)});

    qsizetype width = 0;
    for (const auto *rows : {&options, &arguments}) {
        for (const HelpRow &row : *rows)
            width = std::max(width, row.left.size());
    }
    QString text = QStringLiteral("Usage: ") + usageLine() + QStringLiteral("\n\n") +
                   QLatin1String(m_summary) + QLatin1Char('\n');
    appendRows(text, "Arguments", arguments, int(width + 2));
    appendRows(text, "Options", options, int(width + 2));
    return text;
}

int Command::execute(const QStringList &args) const
{
    const Arguments arguments(m_usage, args);
    if (arguments.helpRequested()) {
        QTextStream(stdout) << help();
        return 0;
    }
    return m_run(arguments);
}

} // namespace rost::batch
