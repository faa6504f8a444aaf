#pragma once

#include "labels/LabelSheet.h"

#include <QWidget>

namespace rost {

// The first sheet in small: the labels before the start greyed as used, the start marked. A click
// on a label makes it the start.
class SheetPreview : public QWidget
{
    Q_OBJECT

public:
    explicit SheetPreview(QWidget *parent = nullptr);

    void setSheet(const LabelSheet &sheet);
    void setStart(LabelStart start);
    LabelStart start() const { return m_start; }

    QSize sizeHint() const override { return {170, 220}; }

Q_SIGNALS:
    void startChosen(LabelStart start);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The paper's rectangle in the widget and the scale, pixels per inch.
    QRectF paperRect() const;
    QRectF labelRect(int index) const;

    LabelSheet m_sheet;
    LabelStart m_start;
};

} // namespace rost
