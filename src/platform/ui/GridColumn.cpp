#include "platform/ui/GridColumn.h"

#include <stdexcept>

namespace rost {

namespace {

[[noreturn]] void refuse(const QString &definition, const char *why)
{
    QString shown = definition;
    shown.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    throw std::invalid_argument(
        QStringLiteral("The grid column \"%1\" %2").arg(shown, QLatin1String(why)).toStdString());
}

} // namespace

GridColumn GridColumn::parse(const QString &definition)
{
    const QStringList parts = definition.split(QLatin1Char('\t'));
    if (parts.size() > 3)
        refuse(definition, "has more than three parts");
    GridColumn c;
    c.field = parts.at(0).trimmed();
    if (c.field.isEmpty())
        refuse(definition, "names no field");
    if (parts.size() > 1 && !parts.at(1).trimmed().isEmpty()) {
        bool ok = false;
        c.width = parts.at(1).trimmed().toInt(&ok);
        if (!ok || c.width < 0 || c.width > 1000)
            refuse(definition, "has no valid width");
    }
    if (parts.size() > 2)
        c.title = parts.at(2);
    return c;
}

QList<GridColumn> GridColumn::parseAll(const QStringList &definitions)
{
    QList<GridColumn> columns;
    for (const QString &d : definitions)
        columns << parse(d);
    return columns;
}

QString GridColumn::toText() const
{
    return field + QLatin1Char('\t') + QString::number(width) + QLatin1Char('\t') + title;
}

} // namespace rost
