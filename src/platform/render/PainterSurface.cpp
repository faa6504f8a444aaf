#include "platform/render/PainterSurface.h"

#include "platform/render/PictureDecoder.h"
#include "platform/render/TextShapingAhead.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <cmath>

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
      m_page(printer.pageLayout().fullRect(QPageLayout::Inch).size()),
      m_mayShapeAhead(painter.paintEngine()->type() == QPaintEngine::Pdf &&
                      painter.layoutDirection() != Qt::RightToLeft &&
                      QGuiApplication::layoutDirection() == Qt::LeftToRight)
{
    addSubstitutions();
}

PainterSurface::~PainterSurface() = default;

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

const QFontMetricsF &PainterSurface::metrics(const SurfaceFont &font)
{
    if (!m_metrics || m_measured != font) {
        // The printer's metrics, not the screen's: the painter's device sets the resolution.
        m_metrics.emplace(qtFont(font), m_painter.device());
        m_measured = font;
    }
    return *m_metrics;
}

double PainterSurface::descent(const SurfaceFont &font)
{
    return metrics(font).descent() / m_dpiY;
}

void PainterSurface::drawText(double x, double baseline, const QString &text,
                              const SurfaceFont &font)
{
    if (m_painterFont != font) {
        m_painter.setFont(qtFont(font));
        m_painterFont = font;
        // Only lines laid out ahead are drawn as glyph runs, and only on a PDF.
        if (m_mayShapeAhead)
            m_run.setRawFont(QRawFont::fromFont(m_painter.font()));
    }
    std::optional<TextShapingAhead::Glyphs> glyphs;
    if (m_ahead && shapedAhead(text, font))
        glyphs = m_ahead->take(text, font);
    if (!glyphs) {
        m_painter.drawText(QPointF(x * m_dpiX, baseline * m_dpiY), text);
        return;
    }
    // The painter's own text drawing starts its glyphs at the pen cut to whole 64ths of a
    // pixel, toward zero; the glyphs' own places are whole 64ths already.
    const QPointF pen(std::trunc(x * m_dpiX * 64) / 64, std::trunc(baseline * m_dpiY * 64) / 64);
    for (QPointF &p : glyphs->positions)
        p += pen;
    m_run.setGlyphIndexes(glyphs->indexes);
    m_run.setPositions(glyphs->positions);
    m_painter.drawGlyphRun(QPointF(), m_run);
}

void PainterSurface::prepareText(const QString &text, const SurfaceFont &font)
{
    if (!m_mayShapeAhead || !shapedAhead(text, font))
        return;
    if (!m_ahead)
        m_ahead = std::make_unique<TextShapingAhead>(m_painter.device()->logicalDpiY());
    m_ahead->request(text, font);
}

bool PainterSurface::shapedAhead(const QString &text, const SurfaceFont &font) const
{
    // A glyph run carries no underline; the painter draws one beside the text it shapes.
    return !font.underline && TextShapingAhead::shapeable(text);
}

std::optional<double> PainterSurface::widthBound(const QString &text, const SurfaceFont &font)
{
    // The characters' own advances, without shaping, which costs as much as drawing. Laid out,
    // Latin text only narrows (ligatures, most kerning); a tenth more covers the kerning that
    // widens. Other scripts may be shaped wider, so they are measured.
    const QFontMetricsF &m = metrics(font);
    double sum = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x0300)
            return std::nullopt;
        sum += m.horizontalAdvance(c);
    }
    return sum * 1.1 / m_dpiX;
}

double PainterSurface::advance(const QString &text, const SurfaceFont &font)
{
    return metrics(font).horizontalAdvance(text) / m_dpiX;
}

bool PainterSurface::paintPicture(const QRectF &box, const QByteArray &bytes, QString *error)
{
    QImage picture = decodePicture(bytes, error);
    if (picture.isNull())
        return false;
    const QSize fit = picture.size().scaled(
        QSize(qRound(box.width() * PictureDpi), qRound(box.height() * PictureDpi)),
        Qt::KeepAspectRatio);
    // Only ever down: a small picture gains nothing in print from more pixels, only bytes.
    if (fit.width() < picture.width())
        picture = picture.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Transparent parts print as paper; a picture without alpha goes into a PDF as a JPEG.
    if (picture.hasAlphaChannel()) {
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, picture);
        picture = flat;
    } else if (picture.format() != QImage::Format_RGB32) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    const QSizeF shown = QSizeF(picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.x() + (box.width() - shown.width()) / 2,
                        box.y() + (box.height() - shown.height()) / 2, shown.width(),
                        shown.height());
    m_painter.drawImage(QRectF(target.x() * m_dpiX, target.y() * m_dpiY, target.width() * m_dpiX,
                               target.height() * m_dpiY),
                        picture);
    return true;
}

void PainterSurface::paintFrame(const QRectF &box)
{
    m_painter.save();
    // A hairline: half a point wide at any resolution.
    m_painter.setPen(QPen(Qt::black, 0.5 / 72 * m_dpiX));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(
        QRectF(box.x() * m_dpiX, box.y() * m_dpiY, box.width() * m_dpiX, box.height() * m_dpiY));
    m_painter.restore();
}

void PainterSurface::startNextPage()
{
    if (!m_printer.newPage())
        m_failed = true;
}

} // namespace rost
