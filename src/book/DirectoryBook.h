#pragma once

#include "book/BookContents.h"
#include "book/BookLayout.h"
#include "directory/Cursor.h"
#include "platform/print/PrintSurface.h"

#include <QByteArray>
#include <QStringList>

namespace rost {

class Preferences;
class RostConnection;

// Reads each family's picture when its entry is drawn, by key in family-number order.
class FamilyPictures
{
public:
    explicit FamilyPictures(RostConnection &connection);
    // Empty when the family has no picture or is not in the table.
    QByteArray picture(FamilyId familyId);

private:
    Cursor m_families;
};

// The printed church directory: laid out on the surface's pages (or, as a booklet, on half
// sheets imposed two to a side in saddle-stitch order) and drawn, pictures read one entry at a
// time. The window's printing and rostella-batch both print through here. Returns a warning for
// each picture left out because it does not decode.
QStringList printDirectoryBook(PrintSurface &surface, const BookContents &contents,
                               const BookOptions &options, FamilyPictures &pictures,
                               const PageStarted &pageStarted = {});

// The lines under the title unless the member writes others: the return address, its empty lines
// left out.
QStringList defaultTitleLines(const Preferences &prefs);

// The orientation of a directory's print job: a booklet prints two pages side by side.
PageOrientation bookOrientation(const BookOptions &options);

} // namespace rost
