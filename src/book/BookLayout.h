#pragma once

#include "book/BookContents.h"
#include "platform/print/PrintSurface.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace rost {

enum class BookStyle : quint8 {
    Photo1 = 0,   // one column with pictures
    Photo2 = 1,   // two columns with pictures
    Compact2 = 2, // two columns without pictures
    Compact3 = 3, // three columns without pictures
};

inline bool withPictures(BookStyle style)
{
    return style == BookStyle::Photo1 || style == BookStyle::Photo2;
}

// What the member chooses for a printed directory.
struct BookOptions
{
    QString title = QStringLiteral("Church Directory");
    QStringList titleLines; // at most four, under the title
    QDate printedOn;        // shown on the title page when valid
    QByteArray titlePicture;
    BookStyle style = BookStyle::Photo2;
    bool booklet = false;
    bool index = true;
};

// A run of text on a page: x from the page's left edge, top the top of its line cell (inches).
struct BookText
{
    double x = 0;
    double top = 0;
    QString text;
    SurfaceFont font;
};

// A picture's box; familyId 0 for the title page's picture.
struct BookPicture
{
    QRectF box; // inches from the page's top-left corner
    FamilyId familyId = 0;
    QString familyName;
};

struct BookPage
{
    std::vector<BookText> texts;
    std::vector<BookPicture> pictures;
};

// The pages of a directory, each the size of one page of the book (half a sheet in a booklet).
struct BookLayout
{
    QSizeF pageSize;
    std::vector<BookPage> pages;
    QHash<FamilyId, int> familyPage; // the page (from 1) where each household's entry begins
};

// The size of one page of the book on sheets of sheetSize: the sheet itself, or in a booklet
// half of the sheet turned to landscape.
QSizeF bookPageSize(QSizeF sheetSize, bool booklet);

// Lays the book out on pages of pageSize: the title page, the households in order, each entry
// kept in one column unless it is taller than a column, then the index. Texts are measured on
// measure, whose font is left changed.
BookLayout layOutBook(const BookContents &contents, const BookOptions &options,
                      PrintSurface &measure, QSizeF pageSize);

} // namespace rost
