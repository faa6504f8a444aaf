#include "labels/ui/SheetPreview.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace rost {

SheetPreview::SheetPreview(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Sheet preview"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void SheetPreview::setSheet(const LabelSheet &sheet)
{
    m_sheet = sheet;
    update();
}

void SheetPreview::setStart(LabelStart start)
{
    m_start = start;
    update();
}

QRectF SheetPreview::paperRect() const
{
    const QSizeF paper = m_sheet.paper.isValid() ? m_sheet.paper : QSizeF(8.5, 11);
    const double scale = std::min((width() - 4) / paper.width(), (height() - 4) / paper.height());
    const QSizeF size = paper * scale;
    return {(width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
            size.height()};
}

QRectF SheetPreview::labelRect(int index) const
{
    const QRectF paper = paperRect();
    const double scale = paper.width() / m_sheet.paper.width();
    return {paper.left() + m_sheet.labelLeft(index) * scale,
            paper.top() + m_sheet.labelTop(index) * scale, m_sheet.width * scale,
            m_sheet.height * scale};
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(paperRect(), Qt::white);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(paperRect());
    if (!m_sheet.problem().isEmpty())
        return;
    const int skipped = m_start.skipped(m_sheet).value_or(0);
    for (int i = 0; i < m_sheet.labelsPerSheet(); ++i) {
        const QRectF r = labelRect(i);
        p.setBrush(i < skipped ? QColor(Qt::lightGray) : QColor(Qt::white));
        p.setPen(i == skipped ? QPen(palette().color(QPalette::Highlight), 2)
                              : QPen(Qt::darkGray, 0));
        p.drawRoundedRect(r, 2, 2);
    }
}

void SheetPreview::mousePressEvent(QMouseEvent *event)
{
    if (!m_sheet.problem().isEmpty())
        return;
    for (int i = 0; i < m_sheet.labelsPerSheet(); ++i) {
        if (labelRect(i).contains(event->position())) {
            m_start = {i / m_sheet.columns + 1, i % m_sheet.columns + 1};
            update();
            Q_EMIT startChosen(m_start);
            return;
        }
    }
}

} // namespace rost
