#include "Command.h"
#include "DataContext.h"

#include "import/ImportError.h"
#include "import/ZipImport.h"

#include <QDir>
#include <QTextStream>

namespace rost::batch {

namespace {

constexpr Argument Archive{"ARCHIVE", "the zip archive to install"};

// Each failed member is written to standard error as the window shows it: the warning (for a
// refused table file with why and which table the directory keeps), its carriage returns printed
// as line breaks, then for an error of the zip reader the reader's own text, then an indented
// line with the details. The names written go to standard output.
int cmdImport(const Arguments &args, DataContext &data)
{
    const QString archive = args.argument(Archive);

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
        summary = importArchive(archive, data.folder(), warn);
    } catch (const ImportError &e) {
        throw Failure{e.text(), 2};
    }

    QTextStream out(stdout);
    for (const QString &name : summary.writtenFiles)
        out << name << '\n';
    out << summary.written << " written, " << summary.failed << " failed into "
        << QDir::toNativeSeparators(data.folder()) << '\n';
    return summary.failed == 0 ? 0 : 1;
}

} // namespace

Command importCommand()
{
    return Command::onData("import",
                           "Installs an archive as the program does; each failed member's warning "
                           "goes to standard error. Exits with 0 when every member was written, 1 "
                           "when some failed, 2 when the archive was not opened.",
                           {Archive}, cmdImport, DataFolderLock::Mode::Exclusive);
}

} // namespace rost::batch
