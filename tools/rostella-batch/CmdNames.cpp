#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "names/HouseholdNameComposer.h"
#include "names/NamesError.h"

#include <QByteArray>

#include <cstdio>

namespace rost::batch {

namespace {

constexpr Option ListLines{"list", nullptr,
                           "the list envelopes' lines: a couple line without a spouse falls back "
                           "to the one-person line"};

// The eight name lines of one individual as the clipboard and single envelope dialogs offer
// them, or with --list as the list envelopes compose them (a couple line without a spouse falls
// back to the one-person line).
int cmdNames(const Arguments &args, DataContext &data)
{
    const auto indivId = args.number<IndivId>(IndivOption);
    HouseholdNameComposer composer(data.connection());
    QString out;
    try {
        if (args.isSet(ListLines)) {
            const auto row = composer.findIndividual(indivId);
            if (!row)
                throw NamesError(QStringLiteral("No individual %1").arg(indivId));
            for (NameLine line : allNameLines())
                out += nameLineName(line) + QLatin1Char('\t') + composer.listLine(line, *row) +
                       QLatin1Char('\n');
        } else {
            const HouseholdNames names = composer.GetNames(indivId);
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

} // namespace

Command namesCommand()
{
    return Command::onData("names",
                           "The eight name lines of a person, each after its name and a tab.",
                           {IndivOption, optional(ListLines)}, cmdNames);
}

} // namespace rost::batch
