#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "names/ClipboardText.h"
#include "names/HouseholdNameComposer.h"
#include "names/NamesError.h"

#include <QByteArray>

#include <cstdio>

namespace rost::batch {

namespace {

constexpr Option Send{"send", "name-address|name-address-phone|name-phone|email",
                      "what is sent besides the name line (email: the address alone)"};

// Exactly the bytes "Send data to clipboard..." would put on the clipboard: UTF-8, lines ended
// by CR alone, nothing after the last line.
int cmdClipboard(const Arguments &args, DataContext &data)
{
    const auto indiv = args.number<IndivId>(IndivOption);
    const NameLine line = nameLineOf(args);
    const QString sendName = args.value(Send);
    const std::optional<ClipboardData> send = clipboardDataFromName(sendName);
    if (!send)
        throw UsageError{QStringLiteral("Option --send takes %1, not \"%2\".")
                             .arg(QLatin1String(Send.valueName), sendName)};

    HouseholdNameComposer composer(data.connection());
    QString text;
    try {
        const HouseholdNames names = composer.GetNames(indiv, true);
        const FamilyAddress family = *send == ClipboardData::EMail
                                         ? FamilyAddress()
                                         : composer.familyAddress(names.FamilyIdNum);
        text = clipboardText(*send, names.line(line), family, names.EMailAddress);
    } catch (const NamesError &e) {
        throw Failure{e.text(), 1};
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

} // namespace

Command clipboardCommand()
{
    return Command::onData("clipboard",
                           "The exact bytes the clipboard dialog sends: CR line ends, no final "
                           "newline.",
                           {IndivOption, NameLineOption, Send}, cmdClipboard);
}

} // namespace rost::batch
