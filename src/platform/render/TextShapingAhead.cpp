#include "platform/render/TextShapingAhead.h"

#include "platform/render/PainterSurface.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>

#include <utility>

namespace rost {

namespace {

// A list repeats its city lines; those are shaped once. The cache is emptied when it is full, so
// a list of distinct names does not grow it without end.
constexpr qsizetype RepeatsKept = 256;

// The glyphs of text as one left-to-right run in the layout's font, or nullopt when the layout
// needs more than one run or another face than primary.
std::optional<TextShapingAhead::Glyphs> shape(QTextLayout &layout, const QRawFont &primary,
                                              const QString &text)
{
    layout.setText(text);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs.front().isRightToLeft() || runs.front().rawFont() != primary)
        return std::nullopt;
    TextShapingAhead::Glyphs glyphs{runs.front().glyphIndexes(), runs.front().positions()};
    // The layout puts the baseline one ascent below its top.
    const double ascent = line.ascent();
    for (QPointF &p : glyphs.positions)
        p.ry() -= ascent;
    return glyphs;
}

} // namespace

TextShapingAhead::TextShapingAhead(int dpi)
    : m_dpi(dpi), m_thread(QThread::create([this] { work(); }))
{
    m_thread->start(QThread::IdlePriority);
}

TextShapingAhead::~TextShapingAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread->wait();
}

bool TextShapingAhead::shapeable(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0xad || u >= 0x0300)
            return false;
    }
    return true;
}

void TextShapingAhead::request(const QString &text, const SurfaceFont &font)
{
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        m_runs.push_back({text, font, false, std::nullopt});
        // Waking the thread is a system call; one wakes it for all the runs requested until it
        // looks again.
        wake = std::exchange(m_idle, false);
    }
    if (wake)
        m_wake.notify_one();
}

std::optional<TextShapingAhead::Glyphs> TextShapingAhead::take(const QString &text,
                                                               const SurfaceFont &font)
{
    const std::lock_guard lock(m_mutex);
    if (m_runs.empty())
        return std::nullopt;
    Run &front = m_runs.front();
    if (front.text != text || front.font != font) {
        m_first += m_runs.size();
        m_runs.clear();
        return std::nullopt;
    }
    std::optional<Glyphs> glyphs;
    if (front.shaped)
        glyphs = std::move(front.glyphs);
    m_runs.pop_front();
    ++m_first;
    return glyphs;
}

std::deque<TextShapingAhead::Run>::iterator TextShapingAhead::runAt(std::uint64_t sequence)
{
    if (sequence < m_first || sequence - m_first >= m_runs.size())
        return m_runs.end();
    return m_runs.begin() + static_cast<std::ptrdiff_t>(sequence - m_first);
}

void TextShapingAhead::work()
{
    // Fonts of this thread's own: Qt keeps its font engines per thread. The image stands for
    // the device only to give the fonts its resolution, as a painter's font takes its device's.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(m_dpi / 0.0254);
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    QTextLayout layout;
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    std::optional<SurfaceFont> fontInUse;
    QRawFont primary;
    QHash<QString, std::optional<Glyphs>> repeats;

    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] {
            m_next = std::max(m_next, m_first); // runs taken back before they were reached
            m_idle = !m_stop && runAt(m_next) == m_runs.end();
            return !m_idle;
        });
        if (m_stop)
            return;
        const QString text = runAt(m_next)->text;
        const SurfaceFont font = runAt(m_next)->font;
        const std::uint64_t sequence = m_next++;
        lock.unlock();

        if (fontInUse != font) {
            // As a painter sets a font: unset properties from the default font, then the
            // device's resolution.
            const QFont qtFont(PainterSurface::qtFont(font).resolve(QFont()), &device);
            layout.setFont(qtFont);
            primary = QRawFont::fromFont(qtFont);
            fontInUse = font;
            repeats.clear();
        }
        auto repeat = repeats.constFind(text);
        std::optional<Glyphs> glyphs;
        if (repeat != repeats.cend()) {
            glyphs = *repeat;
        } else {
            glyphs = shape(layout, primary, text);
            if (repeats.size() >= RepeatsKept)
                repeats.clear();
            repeats.insert(text, glyphs);
        }

        lock.lock();
        const auto done = runAt(sequence);
        if (done != m_runs.end()) {
            done->glyphs = std::move(glyphs);
            done->shaped = true;
        }
    }
}

} // namespace rost
