#pragma once

#include <QString>

namespace rost {

// One column of a grid: the field it shows, its display width in characters and its title (when
// empty, the field name).
struct GridColumn
{
    QString field;
    int width = 0;
    QString title;
};

} // namespace rost
