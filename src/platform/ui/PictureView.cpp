#include "platform/ui/PictureView.h"

#include "directory/Cursor.h"
#include "platform/render/PictureDecoder.h"

#include <QPainter>

#include <exception>

namespace rost {

PictureView::PictureView(QWidget *parent) : QWidget(parent), m_binding([this] { showValue(); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureView::~PictureView() = default;

void PictureView::unbind()
{
    m_binding.unbind();
    m_bytes.clear();
    setImage({});
}

void PictureView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PictureView::showValue()
{
    QByteArray bytes;
    if (m_binding.hasValue()) {
        // A picture that cannot even be read must not stop the move that asked for it.
        try {
            bytes = m_binding.cursor()->blob(m_binding.field());
        } catch (const std::exception &) {
            bytes.clear();
        }
    }
    // Edits of other fields of the row come here too; the same bytes need no second decoding.
    if (bytes == m_bytes && !bytes.isEmpty())
        return;
    m_bytes = bytes;
    setImage(bytes.isEmpty() ? QImage() : decodePicture(bytes));
}

QRect PictureView::pictureRect() const
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QRect target = pictureRect();
    if (!target.isEmpty()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, m_image);
    }
    // Reached by Tab, the picture shows that it holds the keyboard.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

} // namespace rost
