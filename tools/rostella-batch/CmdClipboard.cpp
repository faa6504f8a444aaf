#include "Commands.h"

#include "directory/RostConnection.h"
#include "names/ClipboardText.h"
#include "names/HouseholdNameComposer.h"
#include "names/NamesError.h"

#include <QByteArray>

#include <cstdio>
#include <limits>

namespace rost::batch {

// Exactly the bytes "Send data to clipboard..." would put on the clipboard: UTF-8, lines ended
// by CR alone, nothing after the last line.
int cmdClipboard(const QStringList &args)
{
    const Options opt(args,
                      {QStringLiteral("data"), QStringLiteral("indiv"), QStringLiteral("name"),
                       QStringLiteral("send")},
                      {});
    const QString data = opt.required(QStringLiteral("data"));
    opt.required(QStringLiteral("indiv"));
    const int indiv = opt.intValue(QStringLiteral("indiv"), 0);
    if (indiv < std::numeric_limits<qint16>::min() || indiv > std::numeric_limits<qint16>::max())
        throw Failure{QStringLiteral("Option --indiv needs a number from -32768 to 32767."), 2};
    const QString lineName = opt.required(QStringLiteral("name"));
    const std::optional<NameLine> line = nameLineFromName(lineName);
    if (!line)
        throw Failure{QStringLiteral("Unknown name line \"%1\"; the lines are FormalName, "
                                     "FormalTitle, FormalNameAndSpouse, FormalNameAndSpouseTitle, "
                                     "InformalName, InformalTitle, InformalNameAndSpouse, "
                                     "InformalNameAndSpouseTitle.")
                          .arg(lineName),
                      2};
    const QString sendName = opt.required(QStringLiteral("send"));
    const std::optional<ClipboardData> send = clipboardDataFromName(sendName);
    if (!send)
        throw Failure{QStringLiteral("Unknown --send \"%1\"; give name-address, "
                                     "name-address-phone, name-phone or email.")
                          .arg(sendName),
                      2};

    RostConnection connection;
    connection.setPath(data);
    connection.connect();
    HouseholdNameComposer composer(connection);
    QString text;
    try {
        const THouseholdNames names = composer.GetNames(static_cast<qint16>(indiv), true);
        const FamilyAddress family = *send == ClipboardData::EMail
                                         ? FamilyAddress()
                                         : composer.familyAddress(names.FamilyIdNum);
        text = clipboardText(*send, names.line(*line), family, names.EMailAddress);
    } catch (const NamesError &e) {
        throw Failure{e.text(), 1};
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

} // namespace rost::batch
