#pragma once

// A scan of many rows that lets the window paint, shows its progress once it runs long and stops
// at the user's Esc, as a long load does.

#include "platform/controls/LoadPacer.h"

#include <QtGlobal>

#include <algorithm>
#include <limits>

namespace tessaro {

/// One paced scan: `pacer` is busy while it lives (the control's page moves are refused), so it
/// ends before the scan's outcome is shown. Ask step() once per row.
class ScanPacing {
public:
    /// Rows between two looks at the clock: rare enough to cost nothing.
    static constexpr int kRowsBetweenChecks = 256;

    ScanPacing(LoadPacer& pacer, qint64 expectedRows)
        : m_pacer(pacer), m_session(pacer, clampToInt(expectedRows))
    {
    }

    /// Whether the scan goes on after row `done`; false once the user stopped it or the control
    /// went (the caller then asks its own guard before touching the control).
    bool step(qint64 done)
    {
        if (++m_rows % kRowsBetweenChecks != 0 || !m_pacer.due())
            return true;
        m_goesOn = m_pacer.yield(clampToInt(done));
        return m_goesOn;
    }
    /// Whether step() ever said stop.
    bool stopped() const { return !m_goesOn; }

private:
    static int clampToInt(qint64 rows) { return int(std::clamp<qint64>(rows, 0, std::numeric_limits<int>::max())); }

    LoadPacer& m_pacer;
    LoadPacer::Session m_session;
    qint64 m_rows = 0;
    bool m_goesOn = true;
};

} // namespace tessaro
