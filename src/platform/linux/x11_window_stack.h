#pragma once

#include "platform/window_system.h"

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

    // A full enumeration's result: the root's children bottom to top, and each one's task (none for
    // a child that is no task, such as a popup or a window that vanished).
    void reset(const std::vector<Window>& bottomToTop, const std::vector<std::optional<WindowInfo>>& tasks);

    void add(Window window);                      // created or reparented to the root: on top
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
    std::vector<WindowInfo> tasks() const;

private:
    std::vector<Window> m_order; // bottom to top
    std::unordered_map<Window, std::optional<WindowInfo>> m_tasks;
    std::unordered_set<Window> m_stale;
};

} // namespace platform
