#include "platform/print/PrintSurface.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace rost {

namespace {

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString inches(double v)
{
    return QString::number(v, 'g', 10);
}

// Positions are sums of decimal fractions that binary doubles hold only nearly; a line that
// fits exactly must not be lost to rounding.
constexpr double Slack = 1e-9;

} // namespace

void PrintSurface::setFont(const QString &face, double points)
{
    const double size = std::isfinite(points) ? std::clamp(points, 1.0, 1000.0) : 12.0;
    m_font = SurfaceFont{face, size, false, false, false};
    trace(QStringLiteral("setFont %1 %2").arg(face, inches(size)));
}

void PrintSurface::setBold(bool on)
{
    m_font.bold = on;
    trace(QStringLiteral("bold ") + onOff(on));
}

void PrintSurface::setItalic(bool on)
{
    m_font.italic = on;
    trace(QStringLiteral("italic ") + onOff(on));
}

void PrintSurface::setUnderline(bool on)
{
    m_font.underline = on;
    trace(QStringLiteral("underline ") + onOff(on));
}

void PrintSurface::setTopMargin(double v)
{
    m_top = v;
    trace(QStringLiteral("topMargin ") + inches(v));
}

void PrintSurface::setLeftMargin(double v)
{
    m_left = v;
    trace(QStringLiteral("leftMargin ") + inches(v));
}

void PrintSurface::setBottomMargin(double v)
{
    m_bottom = v;
    trace(QStringLiteral("bottomMargin ") + inches(v));
}

void PrintSurface::setRightMargin(double v)
{
    m_right = v;
    trace(QStringLiteral("rightMargin ") + inches(v));
}

void PrintSurface::clearTabs()
{
    m_tabs.clear();
    trace(QStringLiteral("clearTabs"));
}

void PrintSurface::addTab(double left, double width)
{
    m_tabs.push_back({left, width});
    trace(QStringLiteral("addTab %1 %2").arg(inches(left), inches(width)));
}

void PrintSurface::addTabAfterPrevious(double width)
{
    const double left = m_tabs.empty() ? m_left : m_tabs.back().left + m_tabs.back().width;
    m_tabs.push_back({left, width});
    trace(QStringLiteral("addTab %1 %2").arg(inches(left), inches(width)));
}

void PrintSurface::home()
{
    m_baseline = m_top + lineHeight() - descent(m_font);
    m_homed = true;
    trace(QStringLiteral("home"));
}

void PrintSurface::ensureHome()
{
    if (!m_homed)
        home();
}

template <typename Piece> void PrintSurface::forEachPiece(const QString &text, Piece piece) const
{
    // Most lines hold no tab: a book of thousands of lines need not split each one.
    if (!text.contains(QLatin1Char('\t'))) {
        if (!text.isEmpty())
            piece(m_left, text);
        return;
    }
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (pieces.at(i).isEmpty())
            continue;
        double x = m_left;
        if (i > 0 && !m_tabs.empty()) {
            const auto stop = static_cast<std::size_t>(i - 1);
            x = stop < m_tabs.size() ? m_tabs[stop].left : m_tabs.back().left + m_tabs.back().width;
        }
        piece(x, pieces.at(i));
    }
}

void PrintSurface::printLine(const QString &text)
{
    ensureHome();
    trace(QStringLiteral("printLine ") + text);
    forEachPiece(text,
                 [&](double x, const QString &piece) { drawText(x, m_baseline, piece, m_font); });
    m_baseline += lineHeight();
}

void PrintSurface::prepareLine(const QString &text)
{
    forEachPiece(text, [&](double, const QString &piece) { prepareText(piece, m_font); });
}

int PrintSurface::linesLeft()
{
    ensureHome();
    const double lh = lineHeight();
    const double room = pageSize().height() - m_bottom - (m_baseline + descent(m_font));
    if (room < -Slack)
        return 0;
    return static_cast<int>(std::floor(room / lh + Slack)) + 1;
}

bool PrintSurface::drawPicture(const QRectF &box, const QByteArray &bytes, QString *error)
{
    trace(QStringLiteral("drawPicture %1 %2 %3 %4")
              .arg(inches(box.x()), inches(box.y()), inches(box.width()), inches(box.height())));
    if (paintPicture(box, bytes, error))
        return true;
    paintFrame(box);
    return false;
}

void PrintSurface::newPage()
{
    startNextPage();
    ++m_page;
    m_homed = false;
    trace(QStringLiteral("newPage"));
}

bool PrintSurface::fitsWidth(const QString &text, double width)
{
    const std::optional<double> bound = widthBound(text, m_font);
    return (bound && *bound <= width) || advance(text, m_font) <= width;
}

} // namespace rost
