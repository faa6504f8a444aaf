#include "Commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace rost::batch {

Options::Options(const QStringList &args, const QStringList &valued, const QStringList &flags)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            m_positional << a;
            continue;
        }
        const QString name = a.mid(2);
        if (valued.contains(name)) {
            if (i + 1 >= args.size())
                throw Failure{QStringLiteral("Option %1 needs a value.").arg(a), 2};
            m_values.insert(name, args.at(++i));
        } else if (flags.contains(name)) {
            m_values.insert(name, QString());
        } else {
            throw Failure{QStringLiteral("Unknown option %1.").arg(a), 2};
        }
    }
}

QString Options::required(const QString &name) const
{
    if (!m_values.contains(name))
        throw Failure{QStringLiteral("Option --%1 is required.").arg(name), 2};
    return m_values.value(name);
}

int Options::intValue(const QString &name, int fallback) const
{
    if (!m_values.contains(name))
        return fallback;
    bool ok = false;
    const int v = m_values.value(name).toInt(&ok);
    if (!ok)
        throw Failure{QStringLiteral("Option --%1 needs a whole number, not \"%2\".")
                          .arg(name, m_values.value(name)),
                      2};
    return v;
}

} // namespace rost::batch

namespace {

void printHelp(FILE *to)
{
    QTextStream out(to);
    out << "rostella-batch: Rostella's core and rendering code without windows.\n\nUsage:\n";
    for (const auto &c : rost::batch::commands())
        out << "  rostella-batch " << c.name << " " << c.usage << "\n";
    out << "\nrostella-batch COMMAND --help is the same as --help.\n";
}

} // namespace

int main(int argc, char **argv)
{
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
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h") || args.contains(QLatin1String("--help"))) {
        printHelp(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto &c : rost::batch::commands()) {
        if (name != QLatin1String(c.name))
            continue;
        try {
            return c.run(args);
        } catch (const rost::batch::Failure &f) {
            std::fprintf(stderr, "rostella-batch %s: %s\n", c.name,
                         f.text.toLocal8Bit().constData());
            return f.exitCode;
        } catch (const std::exception &e) {
            std::fprintf(stderr, "rostella-batch %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "rostella-batch: unknown command \"%s\"; see --help.\n",
                 name.toLocal8Bit().constData());
    return 2;
}
