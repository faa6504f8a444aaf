#pragma once

#include "platform/print/PrintSurface.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

namespace rost {

// Lays out runs of text on a thread of its own, ahead of their drawing. Shaping a run costs a PDF
// about as much as writing its glyphs; this way a long report does the two on two cores. The
// thread runs only on a core nothing else wants, and the drawing thread never waits for it: a run
// not shaped yet when it is drawn is taken back and drawn the ordinary way, so a busy machine
// prints as it would without.
class TextShapingAhead
{
public:
    // The glyphs of a run in the font's primary face, placed from the start of its baseline, in
    // device pixels.
    struct Glyphs
    {
        QList<quint32> indexes;
        QList<QPointF> positions;
    };

    // dpi: the resolution of the device the glyphs go to, as the font of its painter takes it.
    explicit TextShapingAhead(int dpi);
    ~TextShapingAhead();
    TextShapingAhead(const TextShapingAhead &) = delete;
    TextShapingAhead &operator=(const TextShapingAhead &) = delete;

    void request(const QString &text, const SurfaceFont &font);
    // The glyphs of text when it is the run requested next and they are ready. nullopt when they
    // are not ready (the run is taken back), when the run is not one this class shapes (see
    // shapeable), or when text or font is not what was requested next: then every run requested
    // is forgotten.
    std::optional<Glyphs> take(const QString &text, const SurfaceFont &font);

    // Runs whose glyphs a single left-to-right layout in the primary face gives just as the
    // painter's own drawing does: Latin letters without combining marks or controls.
    static bool shapeable(const QString &text);

private:
    struct Run
    {
        QString text;
        SurfaceFont font;
        bool shaped = false;
        std::optional<Glyphs> glyphs; // when shaped: nullopt for a run not shapeable
    };

    void work();
    std::deque<Run>::iterator runAt(std::uint64_t sequence);

    const int m_dpi;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Run> m_runs;    // requested and not yet taken, in order
    std::uint64_t m_first = 0; // the sequence number of m_runs.front()
    std::uint64_t m_next = 0;  // the sequence number of the run the thread shapes next
    bool m_idle = false;       // the thread waits for a run
    bool m_stop = false;
    std::unique_ptr<QThread> m_thread; // last: it starts once the members above exist
};

} // namespace rost
