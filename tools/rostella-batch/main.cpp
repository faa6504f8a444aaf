#include "Commands.h"
#include "platform/render/AllocatorTuning.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <exception>

#include <unistd.h>

namespace {

using rost::batch::Command;

// How the program is called at all; follows an error that no command's usage line explains.
const QString ProgramUsage =
    QStringLiteral("Usage: rostella-batch (COMMAND [OPTION]... | --help | --version)");

QString programHelp()
{
    QString text = QStringLiteral("rostella-batch: Rostella's core and rendering code without "
                                  "windows.\n\n") +
                   ProgramUsage + QStringLiteral("\n\nCommands:\n");
    for (const Command &command : rost::batch::commands())
        text += QStringLiteral("  ") + command.usageLine() + QLatin1Char('\n');
    text += QStringLiteral("\nrostella-batch COMMAND --help describes the command and its "
                           "options.\n");
    return text;
}

void print(FILE *to, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

// A command line that cannot run: one line saying why, then the usage that would.
int usageError(const QString &who, const QString &why, const QString &usage)
{
    print(stderr, who + QStringLiteral(": ") + why + QLatin1Char('\n') + usage + QLatin1Char('\n'));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    rost::tuneAllocatorForPrinting();
    // Fonts and pictures need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session Qt warns about its runtime folder on every run; give it a private
    // one so standard error carries only the tool's own messages.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/rostella-batch-runtime-" +
                               QByteArray::number(getuid());
        if (QDir().mkpath(QString::fromLocal8Bit(dir)) &&
            QFile::setPermissions(QString::fromLocal8Bit(dir),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);

    // Everything after the command's name is the command's to parse.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption versionOption(QStringLiteral("version"), {});
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    const QString program = QStringLiteral("rostella-batch");
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(program, parser.errorText(), ProgramUsage);
    if (parser.isSet(helpOption)) {
        print(stdout, programHelp());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        print(stdout, program + QStringLiteral(" " ROST_VERSION "\n"));
        return 0;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        print(stderr, programHelp());
        return 2;
    }

    const QString name = args.takeFirst();
    const auto &all = rost::batch::commands();
    const auto command = std::find_if(
        all.begin(), all.end(), [&](const Command &c) { return name == QLatin1String(c.name()); });
    if (command == all.end())
        return usageError(program, QStringLiteral("Unknown command \"%1\".").arg(name),
                          ProgramUsage);
    const QString who = program + QLatin1Char(' ') + name;
    try {
        return command->execute(args);
    } catch (const rost::batch::UsageError &e) {
        return usageError(who, e.text, QStringLiteral("Usage: ") + command->usageLine());
    } catch (const rost::batch::Failure &f) {
        print(stderr, who + QStringLiteral(": ") + f.text + QLatin1Char('\n'));
        return f.exitCode;
    } catch (const std::exception &e) {
        print(stderr,
              who + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()) + QLatin1Char('\n'));
        return 1;
    }
}
