// Window enumeration under a private Xvfb: the pipelined X11WindowSystem against a literal walk that
// waits for each reply before sending the next request (one round trip per window per property).
#include "platform/linux/x11/x11_reply.h"
#include "platform/linux/x11/x11_text.h"
#include "platform/linux/x11/x11_window_system.h"
#include "support/xvfb_server.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <xcb/xcb.h>

namespace {

using platform::WindowInfo;
using platform::x11::collect;
using platform::x11::Reply;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    auto reply = collect(xcb_intern_atom_reply, c, xcb_intern_atom(c, 0, std::strlen(name), name));
    return reply ? reply->atom : XCB_NONE;
}

// The desktop of the benchmark: one Xvfb and a client that owns `count` top-level windows, either
// bare or each inside a frame as a reparenting window manager would hold it.
class Desktop {
public:
    static Desktop& instance() {
        static Desktop desktop;
        return desktop;
    }

    const QString& display() const { return m_server.display(); }

    void populate(int count, bool framed) {
        if (m_owner && count == m_count && framed == m_framed)
            return;
        m_owner.reset(); // its windows go with it
        m_owner.reset(xcb_connect(display().toLocal8Bit().constData(), nullptr));
        xcb_connection_t* c = m_owner.get();
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const xcb_atom_t wmState = internAtom(c, "WM_STATE"), netWmName = internAtom(c, "_NET_WM_NAME"),
                         utf8 = internAtom(c, "UTF8_STRING");
        for (int i = 0; i < count; ++i) {
            const xcb_window_t top = xcb_generate_id(c);
            xcb_create_window(c, XCB_COPY_FROM_PARENT, top, screen->root, i % 200, i % 150, 100, 60, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
            xcb_window_t client = top;
            if (framed) {
                client = xcb_generate_id(c);
                xcb_create_window(c, XCB_COPY_FROM_PARENT, client, top, 2, 20, 96, 38, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                                  screen->root_visual, 0, nullptr);
                const std::uint32_t state[2] = {i % 3 == 0 ? 3u : 1u, XCB_NONE};
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, wmState, wmState, 32, 2, state);
                xcb_map_window(c, client);
            }
            const std::string title = "Window number " + std::to_string(i);
            if (i % 2 == 0)
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, netWmName, utf8, 8, title.size(), title.data());
            else
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                                    title.size(), title.data());
            if (i % 4 != 3)
                xcb_map_window(c, top);
        }
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        m_count = count;
        m_framed = framed;
    }

private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
    };
    XvfbServer m_server;
    std::unique_ptr<xcb_connection_t, Disconnect> m_owner;
    int m_count = 0;
    bool m_framed = false;
};

// The literal walk, one request at a time.
class LiteralEnumeration {
public:
    explicit LiteralEnumeration(const QString& display) {
        m_c = xcb_connect(display.toLocal8Bit().constData(), nullptr);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        m_wmState = internAtom(m_c, "WM_STATE");
        m_netWmName = internAtom(m_c, "_NET_WM_NAME");
        m_utf8 = internAtom(m_c, "UTF8_STRING");
        m_compoundText = internAtom(m_c, "COMPOUND_TEXT");
    }
    ~LiteralEnumeration() { xcb_disconnect(m_c); }

    std::vector<WindowInfo> topLevelWindows() {
        std::vector<WindowInfo> out;
        auto tree = collect(xcb_query_tree_reply, m_c, xcb_query_tree(m_c, m_root));
        if (!tree)
            return out;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i) {
            const xcb_window_t top = children[i];
            auto attributes = collect(xcb_get_window_attributes_reply, m_c, xcb_get_window_attributes(m_c, top));
            if (!attributes)
                continue;
            xcb_window_t client = top;
            auto state = property(top, m_wmState);
            if (!platform::x11::hasProperty(state.get()))
                client = findClient(top, state);
            WindowInfo info;
            info.handle = client;
            std::uint32_t wmState = 0;
            if (platform::x11::hasProperty(state.get()))
                info.visible = platform::x11::firstCard32(state.get(), wmState) && (wmState == 1 || wmState == 3);
            else
                info.visible = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
            info.title = title(client);
            out.push_back(std::move(info));
        }
        return out;
    }

private:
    Reply<xcb_get_property_reply_t> property(xcb_window_t w, xcb_atom_t atom) {
        return collect(xcb_get_property_reply, m_c, platform::x11::requestProperty(m_c, w, atom));
    }

    std::vector<xcb_window_t> childrenOf(xcb_window_t w) {
        auto tree = collect(xcb_query_tree_reply, m_c, xcb_query_tree(m_c, w));
        if (!tree)
            return {};
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return {children, children + xcb_query_tree_children_length(tree.get())};
    }

    // The first window with WM_STATE among the children, then the grandchildren; the top itself when none.
    xcb_window_t findClient(xcb_window_t top, Reply<xcb_get_property_reply_t>& state) {
        const auto level1 = childrenOf(top);
        for (xcb_window_t w : level1)
            if (platform::x11::hasProperty((state = property(w, m_wmState)).get()))
                return w;
        for (xcb_window_t w : level1)
            for (xcb_window_t g : childrenOf(w))
                if (platform::x11::hasProperty((state = property(g, m_wmState)).get()))
                    return g;
        state.reset();
        return top;
    }

    QString title(xcb_window_t w) {
        using platform::x11::TextEncoding;
        auto bytes = [](const xcb_get_property_reply_t* r) {
            return QByteArrayView(static_cast<const char*>(xcb_get_property_value(r)),
                                  xcb_get_property_value_length(r));
        };
        auto netWmName = property(w, m_netWmName);
        if (platform::x11::hasProperty(netWmName.get()) && netWmName->format == 8) {
            const QString text = platform::x11::decodeTextProperty(bytes(netWmName.get()), TextEncoding::Utf8);
            if (!text.isEmpty())
                return platform::x11::cutTitle(text);
        }
        auto wmName = property(w, XCB_ATOM_WM_NAME);
        if (!platform::x11::hasProperty(wmName.get()) || wmName->format != 8)
            return {};
        const TextEncoding encoding = wmName->type == m_utf8           ? TextEncoding::Utf8
                                      : wmName->type == m_compoundText ? TextEncoding::CompoundText
                                                                       : TextEncoding::Latin1;
        return platform::x11::cutTitle(platform::x11::decodeTextProperty(bytes(wmName.get()), encoding));
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = XCB_NONE;
    xcb_atom_t m_wmState = XCB_NONE, m_netWmName = XCB_NONE, m_utf8 = XCB_NONE, m_compoundText = XCB_NONE;
};

bool sameWindows(const std::vector<WindowInfo>& a, const std::vector<WindowInfo>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].handle != b[i].handle || a[i].title != b[i].title || a[i].visible != b[i].visible)
            return false;
    return true;
}

// Both walks must agree before either is timed.
void prepare(benchmark::State& state) {
    Desktop& desktop = Desktop::instance();
    desktop.populate(static_cast<int>(state.range(0)), state.range(1) != 0);
    platform::X11WindowSystem pipelined(desktop.display());
    LiteralEnumeration literal(desktop.display());
    const auto expected = pipelined.topLevelWindows();
    if (expected.size() != static_cast<std::size_t>(state.range(0)) ||
        !sameWindows(expected, literal.topLevelWindows()))
        state.SkipWithError("the two enumerations disagree");
}

void BM_Pipelined(benchmark::State& state) {
    prepare(state);
    platform::X11WindowSystem windows(Desktop::instance().display());
    for (auto _ : state)
        benchmark::DoNotOptimize(windows.topLevelWindows());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The snapshot a watching window system answers from its copy of the desktop: a round trip on the
// watch's connection, and no pass over the windows while nothing changes.
void BM_Cached(benchmark::State& state) {
    prepare(state);
    platform::X11WindowSystem windows(Desktop::instance().display());
    windows.watchWindows([](const std::vector<WindowInfo>&) {});
    const auto fresh = platform::X11WindowSystem(Desktop::instance().display()).topLevelWindows();
    windows.topLevelWindows(); // the one full enumeration the copy starts from
    if (!sameWindows(windows.topLevelWindows(), fresh))
        state.SkipWithError("the copy differs from a fresh enumeration");
    for (auto _ : state)
        benchmark::DoNotOptimize(windows.topLevelWindows());
    if (windows.fullEnumerations() != 1)
        state.SkipWithError("the copy did not answer");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Literal(benchmark::State& state) {
    prepare(state);
    LiteralEnumeration windows(Desktop::instance().display());
    for (auto _ : state)
        benchmark::DoNotOptimize(windows.topLevelWindows());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

// Arguments: window count, framed (1) or bare (0) top-level windows.
BENCHMARK(BM_Pipelined)
    ->ArgsProduct({{200, 1000}, {0, 1}})
    ->ArgNames({"windows", "framed"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cached)
    ->ArgsProduct({{200, 1000}, {0, 1}})
    ->ArgNames({"windows", "framed"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Literal)
    ->ArgsProduct({{200, 1000}, {0, 1}})
    ->ArgNames({"windows", "framed"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the watch reads its events through the event loop's notifier
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
