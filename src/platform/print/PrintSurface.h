#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace rost {

enum class PageOrientation { Portrait, Landscape };

// The font of a print surface: face, size in points and the three style switches.
struct SurfaceFont
{
    QString face;
    double size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const SurfaceFont &) const = default;
};

struct TabStop
{
    double left = 0; // inches from the left edge of the sheet
    double width = 0;
};

// One page after another of left-aligned text lines, measured in inches from the top-left
// corner of the sheet as oriented for the job. The cursor rules live here, once, so that every
// surface (printer, PDF, preview, test recording) puts text at the same places; a concrete
// surface supplies only font metrics, the drawing of a run of text and the page break.
//
// Line height is the font size / 60 in (1.2 em). home() puts the cursor on the first line of
// the block: baseline at top margin + line height - descent, so that line's cell starts at the
// top margin. printLine() draws at the cursor and moves down one line of the font current then.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;
    PrintSurface(const PrintSurface &) = delete;
    PrintSurface &operator=(const PrintSurface &) = delete;

    // Sets face and size and switches bold, italic and underline off. Sizes outside 1..1000
    // points (a damaged layout file) are brought into that range.
    void setFont(const QString &face, double points);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    const SurfaceFont &font() const { return m_font; }

    void setTopMargin(double inches);
    void setLeftMargin(double inches);
    void setBottomMargin(double inches);
    void setRightMargin(double inches);
    double topMargin() const { return m_top; }
    double leftMargin() const { return m_left; }
    double bottomMargin() const { return m_bottom; }
    double rightMargin() const { return m_right; }

    // Tab stops, used by printLine: the n-th tab character of a line moves to the left edge of
    // the n-th stop; tabs beyond the last stop move to the end of the last stop.
    void clearTabs();
    void addTab(double left, double width);
    // A stop starting where the previous one ends (at the left margin when there is none).
    void addTabAfterPrevious(double width);
    const std::vector<TabStop> &tabs() const { return m_tabs; }

    void home();
    // Draws the text without wrapping or clipping; an empty text only moves down a line.
    void printLine(const QString &text);
    // Tells the surface of a line printLine will be given later, in the font current now, so
    // that a surface that lays text out can do so ahead, on another core, while it draws the
    // lines before. Lines are to be printed in the order they were announced: a surface given a
    // line it did not expect next forgets what it laid out ahead and lays out as it draws.
    void prepareLine(const QString &text);
    // Whole lines of the current font that still fit between the cursor and the bottom margin.
    int linesLeft();
    // Ends the page and begins the next; the cursor goes home on the new page.
    void newPage();

    // The width of text in the current font, inches; layouts that wrap or align text measure here.
    double textWidth(const QString &text) { return advance(text, m_font); }
    // Whether text is no wider than width in the current font: what textWidth says, answered
    // without laying the text out when the surface can bound its width.
    bool fitsWidth(const QString &text, double width);
    // Draws the picture in bytes (any of the family-picture formats) as large as fits box
    // (inches), proportions kept, centred. A picture that does not decode leaves the box empty
    // with a thin frame and gives false and, when error is given, the reason.
    bool drawPicture(const QRectF &box, const QByteArray &bytes, QString *error = nullptr);

    double lineHeight() const { return m_font.size / 60.0; }
    int pageNumber() const { return m_page; }
    virtual QSizeF pageSize() const = 0; // inches

protected:
    PrintSurface() = default;

    virtual double descent(const SurfaceFont &font) = 0; // inches
    virtual void drawText(double x, double baseline, const QString &text,
                          const SurfaceFont &font) = 0;
    virtual void startNextPage() = 0;
    // A run of text drawText will be given, in this order and font, unless the job goes another
    // way; nothing is drawn.
    virtual void prepareText(const QString &text, const SurfaceFont &font)
    {
        Q_UNUSED(text);
        Q_UNUSED(font);
    }
    virtual double advance(const QString &text, const SurfaceFont &font) = 0; // inches
    // A width, inches, that text never exceeds in font, or nullopt when the surface cannot tell
    // without laying the text out.
    virtual std::optional<double> widthBound(const QString &text, const SurfaceFont &font)
    {
        Q_UNUSED(text);
        Q_UNUSED(font);
        return std::nullopt;
    }
    virtual bool paintPicture(const QRectF &box, const QByteArray &bytes, QString *error) = 0;
    virtual void paintFrame(const QRectF &box) = 0;
    // Every operation names itself here; the recording surface keeps the list.
    virtual void trace(const QString &call) { Q_UNUSED(call); }

private:
    void ensureHome();
    // Calls piece(x, text) for each run of a line between its tabs that is not empty, with the
    // left edge (inches) it is drawn at.
    template <typename Piece> void forEachPiece(const QString &text, Piece piece) const;

    SurfaceFont m_font;
    double m_top = 0;
    double m_left = 0;
    double m_bottom = 0;
    double m_right = 0;
    std::vector<TabStop> m_tabs;
    double m_baseline = 0;
    bool m_homed = false; // the cursor is placed at first use, with the font current then
    int m_page = 1;
};

// Told of every page a report begins, the first included, with its number (from 1); the status
// window of a print job listens here.
using PageStarted = std::function<void(int page)>;
// A report's page producer: draws every page, telling pageStarted of each.
using ReportDrawing = std::function<void(PrintSurface &report, const PageStarted &pageStarted)>;

} // namespace rost
