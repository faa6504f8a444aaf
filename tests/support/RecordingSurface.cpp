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

bool RecordingSurface::paintPicture(const QRectF &box, const QByteArray &bytes, QString *error)
{
    if (bytes.isEmpty() || bytes.startsWith("not a picture")) {
        if (error)
            *error = QStringLiteral("The picture cannot be decoded.");
        return false;
    }
    m_pictures.push_back({pageNumber(), box, false});
    return true;
}

void RecordingSurface::paintFrame(const QRectF &box)
{
    m_pictures.push_back({pageNumber(), box, true});
}

} // namespace rost
