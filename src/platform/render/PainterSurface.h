#pragma once

#include "platform/print/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>

#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace rost {

class TextShapingAhead;

// Pictures are resampled to PictureDpi at the size they are printed and handed to the painter
// without an alpha channel, so that a PDF stores each as a JPEG of that size whatever the size of
// the original.
inline constexpr double PictureDpi = 300;

// The print surface on a printer, a PDF file or a print preview. The printer must be in full-page
// mode, so that the painter's origin is the sheet's top-left corner and a margin of 0.4 in puts
// text 0.4 in from the paper's edge, whatever the printer cannot print near its edges.
class PainterSurface : public PrintSurface
{
public:
    // The painter is active on the printer; both outlive the surface.
    PainterSurface(QPainter &painter, QPrinter &printer);
    ~PainterSurface() override;

    QSizeF pageSize() const override { return m_page; }
    // A page break the printer refused; the job must not report success then.
    bool failed() const { return m_failed; }

    // The face this program asks the font system for; faces the system lacks are mapped to
    // metric twins (Times New Roman to Liberation Serif, Arial to Liberation Sans).
    static QFont qtFont(const SurfaceFont &font);

protected:
    double descent(const SurfaceFont &font) override;
    void drawText(double x, double baseline, const QString &text, const SurfaceFont &font) override;
    void startNextPage() override;
    void prepareText(const QString &text, const SurfaceFont &font) override;
    double advance(const QString &text, const SurfaceFont &font) override;
    std::optional<double> widthBound(const QString &text, const SurfaceFont &font) override;
    bool paintPicture(const QRectF &box, const QByteArray &bytes, QString *error) override;
    void paintFrame(const QRectF &box) override;

private:
    // The printer's metrics of font, made once while the font stays the same: a report of
    // thousands of lines asks for them at every line.
    const QFontMetricsF &metrics(const SurfaceFont &font);
    // Whether a run goes to the thread that shapes text ahead of its drawing.
    bool shapedAhead(const QString &text, const SurfaceFont &font) const;

    QPainter &m_painter;
    QPrinter &m_printer;
    double m_dpiX;
    double m_dpiY;
    QSizeF m_page;
    bool m_failed = false;
    std::optional<SurfaceFont> m_measured;
    std::optional<QFontMetricsF> m_metrics;
    std::optional<SurfaceFont> m_painterFont; // the font set on the painter
    QGlyphRun m_run;                          // in the primary face of the painter's font
    // Only for a PDF written left to right (text of no strong direction takes the program's):
    // a glyph run draws there just as the text it was shaped from, which a preview's picture,
    // keeping text as text, would not.
    const bool m_mayShapeAhead;
    std::unique_ptr<TextShapingAhead> m_ahead; // started at the first run announced
};

} // namespace rost
