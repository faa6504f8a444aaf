#pragma once

#include "platform/ui/FieldBinding.h"

#include <QImage>
#include <QWidget>

namespace rost {

// A read-only display of a picture, scaled to the largest size that fits the widget while keeping
// its proportions, on black. Bound to a field it decodes the field of the current row each time
// the row changes; bytes that do not decode show nothing.
class PictureView : public QWidget
{
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);
    ~PictureView() override;

    void bind(Cursor *cursor, const QString &field) { m_binding.bind(cursor, field); }
    void unbind();
    bool isBound() const { return m_binding.isBound(); }

    void setImage(const QImage &image);
    QImage image() const { return m_image; }
    // Where the picture is drawn, in widget coordinates; empty when there is no picture.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showValue();

    FieldBinding m_binding;
    QImage m_image;
    QByteArray m_bytes; // what m_image was decoded from
};

} // namespace rost
