// Top-level window enumeration. Every stage sends the requests for all windows before it collects
// a single reply: two round trips without a window manager, three or four below frames, whatever the
// window count.
#include "platform/linux/x11/x11_reply.h"
#include "platform/linux/x11/x11_window_system.h"
#include "platform/linux/x11/x11_window_watch.h"

#include <algorithm>

namespace platform {

using x11::collect;
using x11::Reply;

namespace {

constexpr std::uint32_t StateNormal = 1;
constexpr std::uint32_t StateIconic = 3;

std::vector<xcb_window_t> childrenOf(const xcb_query_tree_reply_t* tree) {
    if (!tree)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree);
    return {children, children + xcb_query_tree_children_length(tree)};
}

// One child of the root while its client window is being searched for.
struct Candidate {
    xcb_window_t top = XCB_NONE;
    xcb_window_t client = XCB_NONE;
    bool gone = false;
    bool managed = false;
    std::uint32_t wmState = 0;
    bool mapped = false;
    std::vector<xcb_window_t> searchLevel; // descendants still to be searched, in stacking order
    QString title;
};

// Looks for WM_STATE on each candidate's `searchLevel` windows at once; the first window carrying it
// becomes the client, with the title asked for in the same batch. With `descend`, the next level down
// is gathered for the candidates left.
template <typename TitleOf>
void searchOneLevel(xcb_connection_t* c, const X11WindowSystem::Atoms& atoms, std::vector<Candidate*>& pending,
                    bool descend, const TitleOf& titleOf) {
    struct Request {
        xcb_get_property_cookie_t state, netWmName, wmName;
        xcb_query_tree_cookie_t tree;
    };
    std::vector<std::vector<Request>> requests(pending.size());
    for (std::size_t i = 0; i < pending.size(); ++i)
        for (xcb_window_t w : pending[i]->searchLevel)
            requests[i].push_back({xcb_get_property(c, 0, w, atoms.wmState, XCB_GET_PROPERTY_TYPE_ANY, 0, 2),
                                   x11::requestProperty(c, w, atoms.netWmName),
                                   x11::requestProperty(c, w, XCB_ATOM_WM_NAME),
                                   descend ? xcb_query_tree(c, w) : xcb_query_tree_cookie_t{}});

    std::vector<Candidate*> left;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        Candidate& candidate = *pending[i];
        std::vector<xcb_window_t> next;
        for (std::size_t j = 0; j < requests[i].size(); ++j) {
            auto state = collect(xcb_get_property_reply, c, requests[i][j].state);
            auto netWmName = collect(xcb_get_property_reply, c, requests[i][j].netWmName);
            auto wmName = collect(xcb_get_property_reply, c, requests[i][j].wmName);
            Reply<xcb_query_tree_reply_t> tree;
            if (descend)
                tree = collect(xcb_query_tree_reply, c, requests[i][j].tree);
            if (candidate.client == XCB_NONE && x11::hasProperty(state.get())) {
                candidate.client = candidate.searchLevel[j];
                candidate.managed = true;
                x11::firstCard32(state.get(), candidate.wmState);
                // No WM_NAME reply at all (rather than an absent property): the client has just gone.
                candidate.gone = !wmName;
                candidate.title = titleOf(netWmName.get(), wmName.get());
            }
            if (descend && candidate.client == XCB_NONE) {
                const auto children = childrenOf(tree.get());
                next.insert(next.end(), children.begin(), children.end());
            }
        }
        candidate.searchLevel = std::move(next);
        if (candidate.client == XCB_NONE && !candidate.searchLevel.empty())
            left.push_back(&candidate);
    }
    pending = std::move(left);
}

} // namespace

std::vector<WindowInfo> X11WindowSystem::topLevelWindows() {
    if (!usable())
        return {};
    if (m_watch)
        if (auto cached = m_watch->cachedWindows())
            return std::move(*cached);
    ++m_fullEnumerations;
    if (m_watch)
        m_watch->catchUp(); // so that fewer events cross the enumeration
    auto rootTree = collect(xcb_query_tree_reply, m_connection, xcb_query_tree(m_connection, m_root));
    const std::vector<xcb_window_t> bottomToTop = childrenOf(rootTree.get());
    const std::vector<std::optional<WindowInfo>> tasks = describeTops(bottomToTop);
    if (m_watch && rootTree)
        return m_watch->reset(bottomToTop, tasks);
    std::vector<WindowInfo> windows;
    windows.reserve(tasks.size());
    for (auto it = tasks.rbegin(); it != tasks.rend(); ++it) // the server lists bottom to top
        if (*it)
            windows.push_back(**it);
    return windows;
}

namespace {

std::optional<WindowInfo> taskOf(const Candidate& candidate) {
    if (candidate.gone)
        return std::nullopt;
    WindowInfo info;
    info.handle = candidate.client != XCB_NONE ? candidate.client : candidate.top;
    info.title = candidate.title;
    info.visible =
        candidate.managed ? candidate.wmState == StateNormal || candidate.wmState == StateIconic : candidate.mapped;
    return info;
}

} // namespace

std::vector<std::optional<WindowInfo>> X11WindowSystem::describeTops(const std::vector<xcb_window_t>& tops,
                                                                     const FirstAnswers& firstAnswers) {
    if (!usable())
        return std::vector<std::optional<WindowInfo>>(tops.size());
    xcb_connection_t* c = m_connection;

    // Stage 1: everything about each child of the root, titles included, since most of them are
    // their own client when no window manager reparents them.
    struct TopRequest {
        xcb_get_property_cookie_t state, netWmName, wmName;
        xcb_get_window_attributes_cookie_t attributes;
        xcb_query_tree_cookie_t tree;
    };
    std::vector<TopRequest> requests;
    requests.reserve(tops.size());
    for (xcb_window_t w : tops)
        requests.push_back({xcb_get_property(c, 0, w, m_atoms.wmState, XCB_GET_PROPERTY_TYPE_ANY, 0, 2),
                            x11::requestProperty(c, w, m_atoms.netWmName), x11::requestProperty(c, w, XCB_ATOM_WM_NAME),
                            xcb_get_window_attributes(c, w), xcb_query_tree(c, w)});

    std::vector<Candidate> candidates(tops.size());
    std::vector<Candidate*> pending;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        Candidate& candidate = candidates[i];
        candidate.top = tops[i];
        auto state = collect(xcb_get_property_reply, c, requests[i].state);
        auto netWmName = collect(xcb_get_property_reply, c, requests[i].netWmName);
        auto wmName = collect(xcb_get_property_reply, c, requests[i].wmName);
        auto attributes = collect(xcb_get_window_attributes_reply, c, requests[i].attributes);
        auto tree = collect(xcb_query_tree_reply, c, requests[i].tree);
        if (!attributes || !tree) {
            candidate.gone = true;
            continue;
        }
        // Override-redirect windows are the toolkit's popups (menus, tool tips, drop-down lists), never an
        // application's own window: they are no tasks, whatever title the toolkit left on them.
        if (attributes->override_redirect) {
            candidate.gone = true;
            continue;
        }
        candidate.mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        candidate.title = titleFrom(netWmName.get(), wmName.get());
        if (x11::hasProperty(state.get())) {
            candidate.client = candidate.top;
            candidate.managed = true;
            x11::firstCard32(state.get(), candidate.wmState);
        } else {
            candidate.searchLevel = childrenOf(tree.get());
            if (!candidate.searchLevel.empty())
                pending.push_back(&candidate);
        }
    }

    if (firstAnswers && !pending.empty()) {
        std::vector<std::optional<WindowInfo>> known(candidates.size());
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (candidates[i].searchLevel.empty())
                known[i] = taskOf(candidates[i]);
        firstAnswers(known);
    }

    // Stages 2 and 3: the children and grandchildren of the windows that are not clients themselves.
    const auto titleOf = [this](const xcb_get_property_reply_t* netWmName, const xcb_get_property_reply_t* wmName) {
        return titleFrom(netWmName, wmName);
    };
    if (!pending.empty())
        searchOneLevel(c, m_atoms, pending, true, titleOf);
    if (!pending.empty())
        searchOneLevel(c, m_atoms, pending, false, titleOf);

    std::vector<std::optional<WindowInfo>> windows;
    windows.reserve(candidates.size());
    for (const Candidate& candidate : candidates)
        windows.push_back(taskOf(candidate));
    return windows;
}

} // namespace platform
