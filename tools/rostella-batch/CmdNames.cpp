#include "Commands.h"

#include "directory/RostConnection.h"
#include "names/HouseholdNameComposer.h"
#include "names/NamesError.h"

#include <QByteArray>

#include <cstdio>
#include <limits>

namespace rost::batch {

// The eight name lines of one individual as the clipboard and single envelope dialogs offer
// them, or with --list as the list envelopes compose them (a couple line without a spouse falls
// back to the one-person line).
int cmdNames(const QStringList &args)
{
    const Options opt(args, {QStringLiteral("data"), QStringLiteral("indiv")},
                      {QStringLiteral("list")});
    const QString data = opt.required(QStringLiteral("data"));
    opt.required(QStringLiteral("indiv"));
    const int indiv = opt.intValue(QStringLiteral("indiv"), 0);
    if (indiv < std::numeric_limits<qint16>::min() || indiv > std::numeric_limits<qint16>::max())
        throw Failure{QStringLiteral("Option --indiv needs a number from -32768 to 32767."), 2};
    const auto indivId = static_cast<qint16>(indiv);

    RostConnection connection;
    connection.setPath(data);
    connection.connect();
    HouseholdNameComposer composer(connection);
    QString out;
    try {
        if (opt.has(QStringLiteral("list"))) {
            const auto row = composer.findIndividual(indivId);
            if (!row)
                throw NamesError(QStringLiteral("No individual %1").arg(indivId));
            for (NameLine line : allNameLines())
                out += nameLineName(line) + QLatin1Char('\t') + composer.listLine(line, *row) +
                       QLatin1Char('\n');
        } else {
            const THouseholdNames names = composer.GetNames(indivId);
            for (NameLine line : allNameLines())
                out +=
                    nameLineName(line) + QLatin1Char('\t') + names.line(line) + QLatin1Char('\n');
        }
    } catch (const NamesError &e) {
        throw Failure{e.text(), 1};
    }
    const QByteArray bytes = out.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

} // namespace rost::batch
