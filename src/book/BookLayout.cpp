#include "book/BookLayout.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace rost {

namespace {

const QString Face = QStringLiteral("Arial");

constexpr double Margin = 0.5;        // inches around the page
constexpr double HeaderRoom = 0.35;   // from the top margin to the first entry
constexpr double FooterRoom = 0.35;   // from the last entry to the bottom margin
constexpr double Gutter = 0.25;       // between columns
constexpr double EntryGap = 0.15;     // between households
constexpr double PictureGap = 0.12;   // between a picture and the text beside it
constexpr double MemberIndent = 0.1;  // a member's name line
constexpr double DetailIndent = 0.25; // a member's phones and e-mail
constexpr double Slack = 1e-9;

SurfaceFont font(double size, bool bold = false, bool italic = false)
{
    return {Face, size, bold, italic, false};
}

double lineHeight(const SurfaceFont &f)
{
    return f.size / 60.0;
}

int columnsOf(BookStyle style)
{
    switch (style) {
    case BookStyle::Photo1:
        return 1;
    case BookStyle::Compact3:
        return 3;
    case BookStyle::Photo2:
    case BookStyle::Compact2:
        break;
    }
    return 2;
}

// Positions within a block are relative to its top-left corner until the block is placed.
struct Block
{
    double height = 0;
    std::vector<BookText> texts;
    std::vector<BookPicture> pictures;
};

class Layouter
{
public:
    Layouter(const BookOptions &options, PrintSurface &measure, QSizeF pageSize)
        : m_options(options), m_measure(measure), m_page(pageSize), m_bodyTop(Margin + HeaderRoom),
          m_bodyBottom(pageSize.height() - Margin - FooterRoom)
    {}

    BookLayout run(const BookContents &contents)
    {
        m_book.pageSize = m_page;
        titlePage();
        startColumns(columnsOf(m_options.style));
        for (const BookHousehold &h : contents.households)
            placeEntry(h);
        const int lastEntryPage = pageCount();
        if (m_options.index && !contents.index.empty())
            indexPages(contents.index);
        headersAndNumbers(lastEntryPage);
        return std::move(m_book);
    }

private:
    double columnHeight() const { return m_bodyBottom - m_bodyTop; }
    int pageCount() const { return int(m_book.pages.size()); }
    BookPage &page() { return m_book.pages.back(); }

    double width(const QString &text, const SurfaceFont &f)
    {
        m_measure.setFont(f.face, f.size);
        m_measure.setBold(f.bold);
        m_measure.setItalic(f.italic);
        return m_measure.textWidth(text);
    }

    // The text as it stands when it fits; else broken at blanks into lines that fit, a word
    // longer than the width standing alone on its line.
    QStringList wrap(const QString &text, double maxWidth, const SurfaceFont &f)
    {
        if (width(text, f) <= maxWidth + Slack)
            return {text};
        QStringList lines;
        QString line;
        for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || width(longer, f) <= maxWidth + Slack) {
                line = longer;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
        return lines;
    }

    // Adds the wrapped lines of text at x, from top down; returns the top of the next line.
    double addLines(Block &b, const QString &text, double x, double top, double maxWidth,
                    const SurfaceFont &f)
    {
        for (const QString &line : wrap(text, maxWidth, f)) {
            b.texts.push_back({x, top, line, f});
            top += lineHeight(f);
        }
        return top;
    }

    void newPage()
    {
        m_book.pages.emplace_back();
        m_pageFamilies.emplace_back();
        m_column = 0;
        m_y = m_bodyTop;
    }

    void startColumns(int columns)
    {
        m_columns = columns;
        m_columnWidth = (m_page.width() - 2 * Margin - (columns - 1) * Gutter) / columns;
        newPage();
    }

    void nextColumn()
    {
        if (++m_column >= m_columns) {
            newPage();
            return;
        }
        m_y = m_bodyTop;
    }

    double columnLeft() const { return Margin + m_column * (m_columnWidth + Gutter); }

    void put(const Block &b)
    {
        const double x = columnLeft();
        for (BookText t : b.texts) {
            t.x += x;
            t.top += m_y;
            page().texts.push_back(std::move(t));
        }
        for (BookPicture p : b.pictures) {
            p.box.translate(x, m_y);
            page().pictures.push_back(std::move(p));
        }
        m_y += b.height;
    }

    void titlePage()
    {
        newPage();
        const double w = m_page.width();
        const double usable = w - 2 * Margin;
        double top = m_page.height() * 0.18;
        const auto centred = [&](const QString &text, const SurfaceFont &f) {
            for (const QString &line : wrap(text, usable, f)) {
                page().texts.push_back({(w - width(line, f)) / 2, top, line, f});
                top += lineHeight(f);
            }
        };
        centred(m_options.title, font(24, true));
        top += 0.2;
        for (const QString &line : m_options.titleLines.mid(0, 4))
            centred(line, font(12));
        if (m_options.printedOn.isValid()) {
            top += 0.15;
            centred(QLocale::c().toString(m_options.printedOn, QStringLiteral("MMMM d, yyyy")),
                    font(11, false, true));
        }
        if (!m_options.titlePicture.isEmpty()) {
            top += 0.3;
            const double boxWidth = std::min(usable, 5.0);
            const double boxHeight = std::min(boxWidth * 0.75, m_page.height() - Margin - top);
            if (boxHeight > 0.5)
                page().pictures.push_back(
                    {QRectF((w - boxWidth) / 2, top, boxWidth, boxHeight), 0, QString()});
        }
    }

    // The heading, the picture with the address and home phone beside it (or, without pictures,
    // under the heading): the part of an entry that is never split.
    Block householdBlock(const BookHousehold &h)
    {
        Block b;
        const SurfaceFont headingFont = font(withPictures(m_options.style) ? 11 : 10, true);
        const SurfaceFont body = font(withPictures(m_options.style) ? 9 : 8);
        const QString heading = h.heading.isEmpty() ? h.familyName : h.heading;
        double top = addLines(b, heading, 0, 0, m_columnWidth, headingFont) + 0.04;
        double textLeft = 0;
        double pictureBottom = top;
        if (withPictures(m_options.style) && h.hasPicture) {
            const double boxWidth =
                m_options.style == BookStyle::Photo1 ? 2.0 : std::min(1.5, m_columnWidth * 0.45);
            const double boxHeight = boxWidth * 0.75;
            b.pictures.push_back({QRectF(0, top, boxWidth, boxHeight), h.familyId, h.familyName});
            textLeft = boxWidth + PictureGap;
            pictureBottom = top + boxHeight;
        }
        const double textWidth = m_columnWidth - textLeft;
        for (const QString &line : h.address)
            top = addLines(b, line, textLeft, top, textWidth, body);
        if (!h.homePhone.isEmpty())
            top = addLines(b, h.homePhone, textLeft, top, textWidth, body);
        b.height = std::max(top, pictureBottom) + 0.04;
        return b;
    }

    Block memberBlock(const BookMember &m)
    {
        Block b;
        const SurfaceFont body = font(withPictures(m_options.style) ? 9 : 8);
        double top = addLines(b, m.nameLine, MemberIndent, 0, m_columnWidth - MemberIndent, body);
        const double detailWidth = m_columnWidth - DetailIndent;
        if (!m.phonesLine.isEmpty())
            top = addLines(b, m.phonesLine, DetailIndent, top, detailWidth, body);
        if (!m.eMail.isEmpty())
            top = addLines(b, m.eMail, DetailIndent, top, detailWidth, body);
        b.height = top;
        return b;
    }

    void placeEntry(const BookHousehold &h)
    {
        std::vector<Block> blocks{householdBlock(h)};
        for (const BookMember &m : h.members)
            blocks.push_back(memberBlock(m));
        blocks.back().height += EntryGap;
        double total = 0;
        for (const Block &b : blocks)
            total += b.height;
        const bool columnEmpty = m_y <= m_bodyTop + Slack;
        // The gap after the last entry of a column may hang below the body.
        const auto fits = [&](double height) {
            return m_y + height - EntryGap <= m_bodyBottom + Slack;
        };
        // Only an entry taller than a whole column breaks, and then between members; it starts
        // where it is, since no column would hold it whole.
        const bool tall = total - EntryGap > columnHeight() + Slack;
        if (!columnEmpty && !tall && !fits(total))
            nextColumn();
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (m_y > m_bodyTop + Slack && !fits(blocks[i].height))
                nextColumn();
            if (i == 0)
                m_book.familyPage.insert(h.familyId, pageCount());
            if (i == 0 || m_y <= m_bodyTop + Slack)
                m_pageFamilies.back().push_back(h.familyName);
            put(blocks[i]);
        }
    }

    void indexPages(const std::vector<BookIndexEntry> &index)
    {
        startColumns(m_options.style == BookStyle::Compact3 ? 3 : 2);
        const SurfaceFont titleFont = font(14, true);
        page().texts.push_back({Margin, m_y, QStringLiteral("Index"), titleFont});
        m_y += lineHeight(titleFont) + 0.1;
        const SurfaceFont f = font(8);
        const double lh = lineHeight(f);
        const double dotWidth = width(QStringLiteral(" ."), f);
        for (const BookIndexEntry &e : index) {
            if (m_y + lh > m_bodyBottom + Slack)
                nextColumn();
            // The leader and the page number are one run, set flush with the column's right edge.
            const QString number =
                QLatin1Char(' ') + QString::number(m_book.familyPage.value(e.familyId));
            const double left = columnLeft();
            const double right = left + m_columnWidth;
            const double nameRight = left + width(e.text, f);
            page().texts.push_back({left, m_y, e.text, f});
            const int dots =
                std::max(0, int(std::floor((right - width(number, f) - nameRight) / dotWidth)));
            const QString run = QStringLiteral(" .").repeated(dots) + number;
            page().texts.push_back({right - width(run, f), m_y, run, f});
            m_y += lh;
        }
    }

    // Every page but the title page: its number at the foot, and at the head the first and last
    // household on it (or "Index").
    void headersAndNumbers(int lastEntryPage)
    {
        const SurfaceFont headerFont = font(9, false, true);
        const SurfaceFont numberFont = font(9);
        for (int n = 2; n <= pageCount(); ++n) {
            BookPage &p = m_book.pages[std::size_t(n - 1)];
            QString header = QStringLiteral("Index");
            if (n <= lastEntryPage) {
                const QStringList &families = m_pageFamilies[std::size_t(n - 1)];
                header = families.isEmpty() ? QString() : families.first();
                if (families.size() > 1 && families.last() != families.first())
                    header += QStringLiteral(" \u2013 ") + families.last();
            }
            if (!header.isEmpty())
                p.texts.push_back(
                    {(m_page.width() - width(header, headerFont)) / 2, Margin, header, headerFont});
            const QString number = QString::number(n);
            p.texts.push_back({(m_page.width() - width(number, numberFont)) / 2,
                               m_page.height() - Margin - lineHeight(numberFont), number,
                               numberFont});
        }
    }

    const BookOptions &m_options;
    PrintSurface &m_measure;
    QSizeF m_page;
    double m_bodyTop;
    double m_bodyBottom;
    BookLayout m_book;
    std::vector<QStringList> m_pageFamilies; // per page, the households with a part on it
    int m_columns = 1;
    double m_columnWidth = 0;
    int m_column = 0;
    double m_y = 0;
};

} // namespace

QSizeF bookPageSize(QSizeF sheetSize, bool booklet)
{
    if (!booklet)
        return sheetSize;
    const double longSide = std::max(sheetSize.width(), sheetSize.height());
    const double shortSide = std::min(sheetSize.width(), sheetSize.height());
    return {longSide / 2, shortSide};
}

BookLayout layOutBook(const BookContents &contents, const BookOptions &options,
                      PrintSurface &measure, QSizeF pageSize)
{
    return Layouter(options, measure, pageSize).run(contents);
}

} // namespace rost
