#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace rost {

// One column of a grid: the field it shows, its display width in characters and its title.
struct GridColumn
{
    QString field;
    int width = 0; // characters; 0: the field's own width
    QString title; // empty: the field name

    // The text form "Field\twidth\ttitle". Width and title may be left out. Throws
    // std::invalid_argument for a text with no field name or a width that is not a number.
    static GridColumn parse(const QString &definition);
    static QList<GridColumn> parseAll(const QStringList &definitions);
    QString toText() const;
};

} // namespace rost
