#include "app/exe/StartOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

namespace rost {

namespace {

const QString Usage = QStringLiteral("Usage: rostella [--data DIR | --standard-data]");

StartOptions stop(int exitCode, const QString &output)
{
    StartOptions options;
    options.exitCode = exitCode;
    options.output = output;
    return options;
}

StartOptions refuse(const QString &why)
{
    return stop(2,
                QStringLiteral("rostella: ") + why + QLatin1Char('\n') + Usage + QLatin1Char('\n'));
}

// The member's downloads, where a browser saves the office's archive; the home folder on a
// system without one.
QString downloadsFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QDir(downloads).exists())
        return downloads;
    return QDir::homePath();
}

} // namespace

StartOptions readStartOptions(const QStringList &arguments, const QString &currentFolder)
{
    const QString standardFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Rostella: your congregation's church directory at home."));
    // Not addHelpOption(): its --help-all would need the parser that the application's own
    // options go through, and this one sees the arguments after the application took those.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays this help."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("The folder that holds the directory's table files, created if missing. "
                       "Without this option, the current folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption standardOption(
        QStringLiteral("standard-data"),
        QStringLiteral("Keeps the directory in your standard data folder (%1), created if "
                       "missing; the import then looks for the archive in your downloads.")
            .arg(QDir::toNativeSeparators(standardFolder)));
    parser.addOption(dataOption);
    parser.addOption(standardOption);

    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(helpOption))
        return stop(0, parser.helpText());
    if (parser.isSet(versionOption))
        return stop(0, QStringLiteral("rostella " ROST_VERSION "\n"));
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument '%1'.")
                          .arg(parser.positionalArguments().constFirst()));
    if (parser.values(dataOption).size() > 1)
        return refuse(QStringLiteral("The option '--data' is given more than once."));
    if (parser.isSet(dataOption) && parser.isSet(standardOption))
        return refuse(QStringLiteral("The options '--data' and '--standard-data' exclude each "
                                     "other."));

    StartOptions options;
    if (parser.isSet(standardOption)) {
        options.dataFolder = standardFolder;
        options.archiveFolder = downloadsFolder();
    } else {
        options.dataFolder = parser.isSet(dataOption)
                                 ? QDir(currentFolder).absoluteFilePath(parser.value(dataOption))
                                 : currentFolder;
        options.dataFolder = QDir::cleanPath(options.dataFolder);
        options.archiveFolder = options.dataFolder;
    }
    if (parser.isSet(dataOption) || parser.isSet(standardOption))
        QDir().mkpath(options.dataFolder);
    return options;
}

} // namespace rost
