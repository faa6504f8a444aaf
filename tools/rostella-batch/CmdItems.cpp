#include "Commands.h"

#include "directory/RostConnection.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"

#include <QFileInfo>
#include <QTextStream>

namespace rost::batch {

// The entries the Make Lists item box offers after the list field CAPTION is chosen.
int cmdItems(const QStringList &args)
{
    const Options opt(args, {QStringLiteral("data"), QStringLiteral("kind")}, {});
    const QString data = opt.required(QStringLiteral("data"));
    const QString kind = opt.required(QStringLiteral("kind"));
    if (!QFileInfo(data).isDir())
        throw Failure{QStringLiteral("The data folder %1 does not exist.").arg(data), 1};
    RostConnection connection;
    connection.setPath(data);
    connection.connect();
    ListMaker maker(connection, readSetupOf(connection));
    maker.openKindTables();
    if (!maker.chooseKind(kind))
        throw Failure{
            QStringLiteral("No list field \"%1\" is in use here; the list fields are: %2.")
                .arg(kind, maker.captions().join(QStringLiteral(", "))),
            1};
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const QString &item : maker.items())
        out << item << '\n';
    return 0;
}

} // namespace rost::batch
