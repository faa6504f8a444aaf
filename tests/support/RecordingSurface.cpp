#include "RecordingSurface.h"

namespace rost {

RecordingSurface::RecordingSurface(double descentPerPoint, QSizeF page)
    : m_descentPerPoint(descentPerPoint), m_page(page)
{}

void RecordingSurface::drawText(double x, double baseline, const QString &text,
                                const SurfaceFont &font)
{
    m_texts.push_back({pageNumber(), x, baseline, text, font});
}

} // namespace rost
