#include "platform/linux/x11/x11_window_stack.h"

#include <algorithm>

namespace platform {

void X11WindowStack::reset(const std::vector<Window>& bottomToTop,
                           const std::vector<std::optional<WindowInfo>>& tasks) {
    m_order = bottomToTop;
    m_tasks.clear();
    m_stale.clear();
    for (std::size_t i = 0; i < bottomToTop.size(); ++i)
        m_tasks[bottomToTop[i]] = i < tasks.size() ? tasks[i] : std::nullopt;
    // The enumeration knows nothing of ages: those of the children still there stay.
    std::erase_if(m_createdAt, [this](const auto& created) { return !contains(created.first); });
}

void X11WindowStack::noteCreated(Window window, Clock::time_point at) {
    if (contains(window))
        m_createdAt[window] = at;
}

void X11WindowStack::add(Window window) {
    if (!contains(window)) {
        m_order.push_back(window);
        m_tasks[window] = std::nullopt;
    }
    markStale(window);
}

void X11WindowStack::remove(Window window) {
    if (m_tasks.erase(window))
        m_order.erase(std::find(m_order.begin(), m_order.end(), window));
    m_stale.erase(window);
    m_createdAt.erase(window);
}

void X11WindowStack::placeAbove(Window window, Window below) {
    if (!contains(window) || window == below)
        return;
    m_order.erase(std::find(m_order.begin(), m_order.end(), window));
    if (below == 0) {
        m_order.insert(m_order.begin(), window);
        return;
    }
    const auto at = std::find(m_order.begin(), m_order.end(), below);
    m_order.insert(at == m_order.end() ? at : at + 1, window);
}

void X11WindowStack::placeOnTop(Window window) {
    if (contains(window)) {
        m_order.erase(std::find(m_order.begin(), m_order.end(), window));
        m_order.push_back(window);
    }
}

void X11WindowStack::placeAtBottom(Window window) {
    placeAbove(window, 0);
}

void X11WindowStack::markStale(Window window) {
    if (contains(window))
        m_stale.insert(window);
}

std::vector<X11WindowStack::Window> X11WindowStack::takeStale() {
    std::vector<Window> stale(m_stale.begin(), m_stale.end());
    m_stale.clear();
    return stale;
}

void X11WindowStack::setTask(Window window, std::optional<WindowInfo> task) {
    if (contains(window))
        m_tasks[window] = std::move(task);
}

void X11WindowStack::applyGrace(Window window, WindowInfo& task, Clock::time_point now, Clock::duration grace) const {
    if (task.visible)
        return;
    const auto created = m_createdAt.find(window);
    task.visible = created != m_createdAt.end() && now - created->second < grace;
}

std::vector<WindowInfo> X11WindowStack::tasks(Clock::time_point now, Clock::duration grace) const {
    std::vector<WindowInfo> tasks;
    tasks.reserve(m_order.size());
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        if (const auto& task = m_tasks.at(*it)) {
            tasks.push_back(*task);
            applyGrace(*it, tasks.back(), now, grace);
        }
    }
    return tasks;
}

std::vector<X11WindowStack::Window> X11WindowStack::takeMatured(Clock::time_point now, Clock::duration grace) {
    std::vector<Window> matured;
    for (auto it = m_createdAt.begin(); it != m_createdAt.end();) {
        if (now - it->second >= grace) {
            matured.push_back(it->first);
            it = m_createdAt.erase(it);
        } else {
            ++it;
        }
    }
    return matured;
}

std::optional<X11WindowStack::Clock::time_point> X11WindowStack::firstCreation() const {
    std::optional<Clock::time_point> first;
    for (const auto& [window, at] : m_createdAt)
        if (!first || at < *first)
            first = at;
    return first;
}

} // namespace platform
