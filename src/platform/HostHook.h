#pragma once

// A behaviour the host may replace, such as how a message is shown. Each thread's user interface
// has its own handler, so declare the hook `thread_local`. An empty handler means the default.

#include <utility>

namespace tessaro {

template <class Handler>
class HostHook {
public:
    /// Installs `handler` (empty: the default) and returns the handler that was in place.
    Handler replace(Handler handler)
    {
        Handler previous = std::move(m_handler);
        m_handler = std::move(handler);
        return previous;
    }

    /// Calls the handler, or `fallback` when there is none, with `args`. The handler runs from a
    /// copy, so it may replace itself (or be replaced by what it calls) and still finish.
    template <class Fallback, class... Args>
    auto call(Fallback&& fallback, Args&&... args) const
    {
        const Handler handler = m_handler;
        return handler ? handler(std::forward<Args>(args)...) : fallback(std::forward<Args>(args)...);
    }

private:
    Handler m_handler;
};

} // namespace tessaro
