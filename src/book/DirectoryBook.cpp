#include "book/DirectoryBook.h"

#include "book/BookletOrder.h"
#include "directory/Preferences.h"
#include "directory/Tables.h"

namespace rost {

FamilyPictures::FamilyPictures(RostConnection &connection) : m_families(connection, tbl::Families)
{
    m_families.setIndexName(idx::FamilyIdNumOrder);
    m_families.open();
}

QByteArray FamilyPictures::picture(FamilyId familyId)
{
    if (!m_families.findKey({familyId}))
        return {};
    return m_families.blob(fld::FamilyPicture);
}

namespace {

class BookPainter
{
public:
    BookPainter(PrintSurface &surface, const BookOptions &options, FamilyPictures &pictures)
        : m_surface(surface), m_options(options), m_pictures(pictures)
    {}

    // Draws one page of the book with its top-left corner at dx inches from the sheet's left.
    void draw(const BookPage &page, double dx)
    {
        for (const BookText &t : page.texts) {
            const SurfaceFont &f = t.font;
            if (!(m_surface.font() == f)) {
                m_surface.setFont(f.face, f.size);
                m_surface.setBold(f.bold);
                m_surface.setItalic(f.italic);
            }
            m_surface.setLeftMargin(t.x + dx);
            m_surface.setTopMargin(t.top);
            m_surface.home();
            m_surface.printLine(t.text);
        }
        for (const BookPicture &p : page.pictures) {
            const QByteArray bytes =
                p.familyId == 0 ? m_options.titlePicture : m_pictures.picture(p.familyId);
            QString error;
            if (m_surface.drawPicture(p.box.translated(dx, 0), bytes, &error))
                continue;
            m_warnings
                << (p.familyId == 0
                        ? QStringLiteral("The title page picture was left out: %1").arg(error)
                        : QStringLiteral("The picture of %1 (family %2) was left out: %3")
                              .arg(p.familyName)
                              .arg(p.familyId)
                              .arg(error));
        }
    }

    QStringList warnings() const { return m_warnings; }

private:
    PrintSurface &m_surface;
    const BookOptions &m_options;
    FamilyPictures &m_pictures;
    QStringList m_warnings;
};

} // namespace

QStringList defaultTitleLines(const Preferences &prefs)
{
    QStringList lines;
    for (const QString &line :
         {prefs.RetAddLine1, prefs.RetAddLine2, prefs.RetAddLine3, prefs.RetAddLine4}) {
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

PageOrientation bookOrientation(const BookOptions &options)
{
    return options.booklet ? PageOrientation::Landscape : PageOrientation::Portrait;
}

QStringList printDirectoryBook(PrintSurface &surface, const BookContents &contents,
                               const BookOptions &options, FamilyPictures &pictures,
                               const PageStarted &pageStarted)
{
    const BookLayout book =
        layOutBook(contents, options, surface, bookPageSize(surface.pageSize(), options.booklet));
    BookPainter painter(surface, options, pictures);
    const auto sheet = [&](int n) {
        if (n > 1)
            surface.newPage();
        if (pageStarted)
            pageStarted(n);
    };
    if (!options.booklet) {
        for (std::size_t i = 0; i < book.pages.size(); ++i) {
            sheet(int(i) + 1);
            painter.draw(book.pages[i], 0);
        }
        return painter.warnings();
    }
    int n = 0;
    for (const SheetSide &side : bookletSides(int(book.pages.size()))) {
        sheet(++n);
        if (side.left > 0)
            painter.draw(book.pages[std::size_t(side.left - 1)], 0);
        if (side.right > 0)
            painter.draw(book.pages[std::size_t(side.right - 1)], book.pageSize.width());
    }
    return painter.warnings();
}

} // namespace rost
