#include "Commands.h"

#include "directory/RostConnection.h"
#include "lists/ListKindTables.h"

#include <QFileInfo>
#include <QTextStream>

namespace rost::batch {

// What View List Fields shows for one person, every kind at once: "caption<TAB>item" per entry.
int cmdListFields(const QStringList &args)
{
    const Options opt(args, {QStringLiteral("data"), QStringLiteral("indiv")}, {});
    const QString data = opt.required(QStringLiteral("data"));
    opt.required(QStringLiteral("indiv"));
    const int indiv = opt.intValue(QStringLiteral("indiv"), 0);
    if (indiv < -32768 || indiv > 32767)
        throw Failure{QStringLiteral("--indiv must lie between -32768 and 32767."), 2};
    if (!QFileInfo(data).isDir())
        throw Failure{QStringLiteral("The data folder %1 does not exist.").arg(data), 1};
    RostConnection connection;
    connection.setPath(data);
    connection.connect();
    const std::vector<HeldItem> held =
        heldItems(connection, readSetupOf(connection), static_cast<qint16>(indiv));
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const HeldItem &h : held)
        out << h.caption << '\t' << h.item << '\n';
    return 0;
}

} // namespace rost::batch
