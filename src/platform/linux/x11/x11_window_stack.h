#pragma once

#include "platform/window_system.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace platform {

// The children of the root in stacking order with what is known of each, kept current from the
// server's events: what a full enumeration would find, without one. Replaying an event the stack
// already reflects changes nothing, so events that cross a fresh enumeration do no harm.
class X11WindowStack {
public:
    using Window = std::uint32_t;
    using Clock = std::chrono::steady_clock;

    // A full enumeration's result: the root's children bottom to top, and each one's task (none for
    // a child that is no task, such as a popup or a window that vanished).
    void reset(const std::vector<Window>& bottomToTop, const std::vector<std::optional<WindowInfo>>& tasks);

    void add(Window window); // created or reparented to the root: on top
    // The server reported the child's creation at `at`. Until `grace` has passed since then it counts
    // as visible even while unmapped: the window manager or the toolkit is expected to map it.
    void noteCreated(Window window, Clock::time_point at);
    void remove(Window window);                   // destroyed or reparented away
    void placeAbove(Window window, Window below); // 0: at the bottom
    void placeOnTop(Window window);
    void placeAtBottom(Window window);

    bool contains(Window window) const { return m_tasks.count(window) != 0; }
    // Something about the child changed: it is described again before the next answer.
    void markStale(Window window);
    // The children marked stale since the last call, still in the stack.
    std::vector<Window> takeStale();
    void setTask(Window window, std::optional<WindowInfo> task);

    // The tasks, top of the stacking order first.
    std::vector<WindowInfo> tasks(Clock::time_point now, Clock::duration grace) const;
    // `task` of the given child as it counts now: a child within its grace after creation is visible.
    void applyGrace(Window window, WindowInfo& task, Clock::time_point now, Clock::duration grace) const;
    // The children whose grace ended by `now`; they are no longer counted as new.
    std::vector<Window> takeMatured(Clock::time_point now, Clock::duration grace);
    // When the first grace still running began; none when no child is new.
    std::optional<Clock::time_point> firstCreation() const;

private:
    std::vector<Window> m_order; // bottom to top
    std::unordered_map<Window, std::optional<WindowInfo>> m_tasks;
    std::unordered_set<Window> m_stale;
    std::unordered_map<Window, Clock::time_point> m_createdAt; // only children created while watched
};

} // namespace platform
