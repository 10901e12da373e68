// The watched window system answers snapshots from its copy of the desktop; after random changes
// by another client the copy must equal what a fresh enumeration finds.
#include "support/x11_test_display.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using platform::X11WindowSystem;

namespace {

// Another client, changing the desktop at random.
class Desktop {
public:
    explicit Desktop(const QString& display)
        : m_c(xcb_connect(display.toLocal8Bit().constData(), nullptr)),
          m_root(xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root), m_wmState(atom("WM_STATE")) {}
    ~Desktop() { xcb_disconnect(m_c); }

    void step(std::mt19937& rng) {
        const int op = std::uniform_int_distribution<int>(0, m_tops.empty() ? 0 : 6)(rng);
        auto any = [&]() -> Top& {
            return m_tops[std::uniform_int_distribution<std::size_t>(0, m_tops.size() - 1)(rng)];
        };
        const std::uint32_t n = rng();
        switch (op) {
        case 0: {
            Top t;
            t.top = create(m_root);
            t.client = t.top;
            if (n % 2) {
                t.client = create(t.top);
                setState(t.client, 1);
                xcb_map_window(m_c, t.client);
            }
            title(t.client, n);
            if (n % 3)
                xcb_map_window(m_c, t.top);
            m_tops.push_back(t);
            break;
        }
        case 1:
            title(any().client, n);
            break;
        case 2:
            xcb_map_window(m_c, any().top);
            break;
        case 3:
            xcb_unmap_window(m_c, any().top);
            break;
        case 4: {
            const std::uint32_t mode = n % 2 ? XCB_STACK_MODE_ABOVE : XCB_STACK_MODE_BELOW;
            xcb_configure_window(m_c, any().top, XCB_CONFIG_WINDOW_STACK_MODE, &mode);
            break;
        }
        case 5: {
            Top& t = any();
            if (t.client != t.top)
                setState(t.client, n % 2 ? 1 : 3);
            break;
        }
        default: {
            const auto it = m_tops.begin() + std::uniform_int_distribution<long>(0, long(m_tops.size()) - 1)(rng);
            xcb_destroy_window(m_c, it->top);
            m_tops.erase(it);
        }
        }
    }
    void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

private:
    struct Top {
        xcb_window_t top, client;
    };
    xcb_atom_t atom(const char* name) {
        auto* r = xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = r->atom;
        std::free(r);
        return a;
    }
    xcb_window_t create(xcb_window_t parent) {
        const xcb_window_t w = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, w, parent, 0, 0, 50, 50, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        return w;
    }
    void title(xcb_window_t w, std::uint32_t n) {
        const std::string text = "Window " + std::to_string(n % 50);
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, text.size(),
                            text.data());
    }
    void setState(xcb_window_t w, std::uint32_t state) {
        const std::uint32_t value[2] = {state, XCB_NONE};
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, w, m_wmState, m_wmState, 32, 2, value);
    }

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_atom_t m_wmState;
    std::vector<Top> m_tops;
};

bool same(const std::vector<platform::WindowInfo>& a, const std::vector<platform::WindowInfo>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.handle == y.handle && x.title == y.title && x.visible == y.visible;
    });
}

} // namespace

TEST(X11WindowCache, SnapshotsEqualAFreshEnumerationAfterRandomChanges) {
    X11WindowSystem watched(testDisplay().display());
    X11WindowSystem fresh(testDisplay().display());
    watched.setNewWindowGrace(std::chrono::milliseconds(0)); // a fresh enumeration knows no window as new
    watched.watchWindows([](const auto&) {});
    Desktop desktop(testDisplay().display());
    std::mt19937 rng(15);
    watched.topLevelWindows(); // the copy starts from one full enumeration
    for (int round = 0; round < 200; ++round) {
        for (int i = std::uniform_int_distribution<int>(1, 6)(rng); i > 0; --i)
            desktop.step(rng);
        desktop.sync();
        ASSERT_TRUE(same(watched.topLevelWindows(), fresh.topLevelWindows())) << "round " << round;
    }
    EXPECT_EQ(watched.fullEnumerations(), 1);
}
