#pragma once

#include "platform/print/PrintSurface.h"

#include <QStringList>

#include <vector>

namespace rost {

// A print surface that draws nothing and remembers everything: the calls in order and each run
// of text with its place. Its descent is a fixed share of the font size, so tests can compute
// every position exactly.
class RecordingSurface : public PrintSurface
{
public:
    struct Text
    {
        int page;
        double x;        // inches from the left edge
        double baseline; // inches from the top edge
        QString text;
        SurfaceFont font;
    };

    struct Picture
    {
        int page;
        QRectF box;  // inches
        bool framed; // the picture did not decode: an empty frame stands in its place
    };

    // descentPerPoint: descent in inches for each point of size (0.25 / 72 puts a quarter em
    // below the baseline). The page defaults to a landscape #10 envelope.
    explicit RecordingSurface(double descentPerPoint = 0.25 / 72, QSizeF page = {9.5, 4.125});

    QSizeF pageSize() const override { return m_page; }
    double descentOf(double points) const { return points * m_descentPerPoint; }

    const QStringList &calls() const { return m_calls; }
    const std::vector<Text> &texts() const { return m_texts; }
    const std::vector<Picture> &pictures() const { return m_pictures; }
    // Every character is half an em wide, so a test can compute a text's width.
    static double widthOf(const QString &text, double points) { return text.size() * points / 144; }
    int pages() const { return pageNumber(); }

protected:
    double descent(const SurfaceFont &font) override { return descentOf(font.size); }
    void drawText(double x, double baseline, const QString &text, const SurfaceFont &font) override;
    void startNextPage() override {}
    double advance(const QString &text, const SurfaceFont &font) override
    {
        return widthOf(text, font.size);
    }
    // Bytes that begin with "not a picture" stand for a picture that does not decode.
    bool paintPicture(const QRectF &box, const QByteArray &bytes, QString *error) override;
    void paintFrame(const QRectF &box) override;
    void trace(const QString &call) override { m_calls << call; }

private:
    double m_descentPerPoint;
    QSizeF m_page;
    QStringList m_calls;
    std::vector<Text> m_texts;
    std::vector<Picture> m_pictures;
};

} // namespace rost
