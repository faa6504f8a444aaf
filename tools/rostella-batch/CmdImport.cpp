#include "Commands.h"

#include "import/ImportError.h"
#include "import/ZipImport.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace rost::batch {

// Each failed member is written to standard error as the window shows it: the warning, its
// carriage return printed as a line break, then for an error of the zip reader the reader's own
// text, then an indented line saying why. The names written go to standard output.
int cmdImport(const QStringList &args)
{
    const Options options(args, {QStringLiteral("data")}, {});
    const QString data = options.required(QStringLiteral("data"));
    if (options.positional().size() != 1)
        throw Failure{QStringLiteral("Give exactly one archive to import."), 2};
    const QString archive = options.positional().first();

    QTextStream err(stderr);
    const auto warn = [&err](const MemberFailure &f) {
        err << memberWarningText(f).replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        if (f.errorClass == FailureClass::ZipReader)
            err << f.readerText << '\n';
        err << "  " << f.reason << '\n';
        err.flush();
    };

    ImportSummary summary;
    try {
        summary = importArchive(archive, data, warn);
    } catch (const ImportError &e) {
        throw Failure{e.text(), 2};
    }

    QTextStream out(stdout);
    for (const QString &name : summary.writtenFiles)
        out << name << '\n';
    out << summary.written << " written, " << summary.failed << " failed into "
        << QDir::toNativeSeparators(data) << '\n';
    return summary.failed == 0 ? 0 : 1;
}

} // namespace rost::batch
