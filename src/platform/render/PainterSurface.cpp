#include "platform/render/PainterSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace rost {

namespace {

void addSubstitutions()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                                  QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

PainterSurface::PainterSurface(QPainter &painter, QPrinter &printer)
    : m_painter(painter), m_printer(printer), m_dpiX(painter.device()->logicalDpiX()),
      m_dpiY(painter.device()->logicalDpiY()),
      m_page(printer.pageLayout().fullRect(QPageLayout::Inch).size())
{
    addSubstitutions();
}

QFont PainterSurface::qtFont(const SurfaceFont &font)
{
    addSubstitutions();
    // A damaged layout may name no face at all; Qt's preview fails on an empty family.
    QFont f(font.face.trimmed().isEmpty() ? QStringLiteral("Times New Roman") : font.face);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

double PainterSurface::descent(const SurfaceFont &font)
{
    // The printer's metrics, not the screen's: the painter's device sets the resolution.
    const QFontMetricsF metrics(qtFont(font), m_painter.device());
    return metrics.descent() / m_dpiY;
}

void PainterSurface::drawText(double x, double baseline, const QString &text,
                              const SurfaceFont &font)
{
    m_painter.setFont(qtFont(font));
    m_painter.drawText(QPointF(x * m_dpiX, baseline * m_dpiY), text);
}

void PainterSurface::startNextPage()
{
    if (!m_printer.newPage())
        m_failed = true;
}

} // namespace rost
