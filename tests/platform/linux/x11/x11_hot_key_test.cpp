#include "platform/linux/x11/x11_hot_key.h"
#include "support/x11_test_display.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

using platform::X11HotKey;

namespace {

struct ConnectionDeleter {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionDeleter>;

Connection connectToTestDisplay() {
    Connection c(xcb_connect(testDisplay().display().toLocal8Bit().constData(), nullptr));
    return c && !xcb_connection_has_error(c.get()) ? std::move(c) : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_keycode_t keycodeOfF8(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    xcb_keycode_t found = 0;
    if (reply) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        const int length = xcb_get_keyboard_mapping_keysyms_length(reply);
        for (int i = 0; !found && i < length; i += reply->keysyms_per_keycode)
            if (syms[i] == 0xffc5)
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
        std::free(reply);
    }
    return found;
}

// Types keys on the test display through XTEST, as a user at the keyboard would.
void typeKeys(const QStringList& keys) {
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    ASSERT_FALSE(xdotool.isEmpty()) << "xdotool is needed to type on the test display";
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), testDisplay().display());
    process.setProcessEnvironment(environment);
    process.start(xdotool, QStringList{QStringLiteral("key")} + keys);
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

// Another client that holds some Ctrl+Alt+F8 grabs itself and counts the presses it is given.
class OtherClient {
public:
    OtherClient() : m_c(connectToTestDisplay()) {}

    // Whether the server let it grab the key with these modifiers.
    bool grab(std::uint16_t modifiers) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(m_c.get(), 0, rootOf(m_c.get()), modifiers, keycodeOfF8(m_c.get()),
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(m_c.get(), cookie);
        std::free(error);
        return error == nullptr;
    }

    int presses() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_c.get())) {
            if ((event->response_type & 0x7f) == XCB_KEY_PRESS)
                ++m_presses;
            std::free(event);
        }
        return m_presses;
    }

private:
    Connection m_c;
    int m_presses = 0;
};

constexpr std::uint16_t kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
constexpr std::uint16_t kNumLock = XCB_MOD_MASK_2; // where the server's default keymap puts it
constexpr std::uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, kNumLock, kNumLock | XCB_MOD_MASK_LOCK};

// The server's default keymap gives F8 a fifth level under Ctrl+Alt, the switch to console 8,
// which the server acts on itself and never reports to a client. Desktops that leave Ctrl+Alt+F8
// to applications map F8 plainly: the test server is set up that way while these tests run.
class PlainF8 {
public:
    PlainF8() : m_c(connectToTestDisplay()), m_keycode(keycodeOfF8(m_c.get())) {
        xcb_get_keyboard_mapping_reply_t* reply =
            xcb_get_keyboard_mapping_reply(m_c.get(), xcb_get_keyboard_mapping(m_c.get(), m_keycode, 1), nullptr);
        if (!reply)
            return;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        m_saved.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
        std::free(reply);
        setKeysyms({0xffc5});
    }
    ~PlainF8() {
        if (!m_saved.empty())
            setKeysyms(m_saved);
    }

private:
    void setKeysyms(const std::vector<xcb_keysym_t>& syms) {
        xcb_change_keyboard_mapping(m_c.get(), 1, m_keycode, static_cast<std::uint8_t>(syms.size()), syms.data());
        std::free(xcb_get_input_focus_reply(m_c.get(), xcb_get_input_focus(m_c.get()), nullptr));
    }

    Connection m_c;
    xcb_keycode_t m_keycode;
    std::vector<xcb_keysym_t> m_saved;
};

class X11HotKeyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { plainF8 = new PlainF8; }
    static void TearDownTestSuite() {
        delete plainF8;
        plainF8 = nullptr;
    }
    static inline PlainF8* plainF8 = nullptr;

    void SetUp() override {
        connection = connectToTestDisplay();
        ASSERT_TRUE(connection);
        hotKey = std::make_unique<X11HotKey>(connection.get());
    }
    void TearDown() override { hotKey.reset(); }

    bool registerCounting() {
        return hotKey->registerHotKey([this] { ++presses; });
    }
    // Waits (bounded against hanging) until the handler has run `count` times in all.
    bool pressesReach(int count) {
        return eventually([&] {
            hotKey->processPendingEvents();
            return presses >= count;
        });
    }

    Connection connection;
    std::unique_ptr<X11HotKey> hotKey;
    int presses = 0;
};

TEST_F(X11HotKeyTest, OnlyCtrlAltF8RunsTheHandlerOncePerPress) {
    ASSERT_TRUE(registerCounting());
    // The other combinations come first: when the last press arrives, any of them that was
    // wrongly taken for the hot key has been counted already.
    typeKeys({"ctrl+F8", "alt+F8", "ctrl+alt+F7", "ctrl+alt+shift+F8", "F8", "ctrl+alt+F8"});
    ASSERT_TRUE(pressesReach(1));
    typeKeys({"ctrl+alt+F8", "ctrl+alt+F8"});
    ASSERT_TRUE(pressesReach(3));
    hotKey->processPendingEvents();
    EXPECT_EQ(presses, 3); // releases run nothing
}

TEST_F(X11HotKeyTest, WorksWhateverTheLockKeys) {
    ASSERT_TRUE(registerCounting());
    const QStringList locks[] = {{"Num_Lock"}, {"Caps_Lock"}, {"Num_Lock"}, {"Caps_Lock"}};
    int expected = 0;
    for (const QStringList& lock : locks) {
        // NumLock on, then both, then CapsLock alone, then none again.
        typeKeys(lock);
        typeKeys({"ctrl+alt+F8"});
        ASSERT_TRUE(pressesReach(++expected)) << lock.join(' ').toStdString();
    }
}

TEST_F(X11HotKeyTest, CombinationHeldByAnotherClientIsLeftToIt) {
    OtherClient other;
    ASSERT_TRUE(other.grab(kCtrlAlt));
    // The plain combination is refused, the ones with lock keys are still taken.
    EXPECT_TRUE(registerCounting());
    typeKeys({"ctrl+alt+F8"});
    EXPECT_TRUE(eventually([&] { return other.presses() == 1; }));
    typeKeys({"Num_Lock", "ctrl+alt+F8", "Num_Lock"});
    ASSERT_TRUE(pressesReach(1));
    EXPECT_EQ(other.presses(), 1);
}

TEST_F(X11HotKeyTest, EveryCombinationHeldElsewhereMeansNoHotKey) {
    OtherClient other;
    for (std::uint16_t lock : kLocks)
        ASSERT_TRUE(other.grab(kCtrlAlt | lock));
    EXPECT_FALSE(registerCounting());
    typeKeys({"ctrl+alt+F8"});
    EXPECT_TRUE(eventually([&] { return other.presses() == 1; }));
    hotKey->processPendingEvents();
    EXPECT_EQ(presses, 0);
}

TEST_F(X11HotKeyTest, UnregisterReleasesEveryGrabAndRegisterTakesThemAgain) {
    ASSERT_TRUE(registerCounting());
    hotKey->unregisterHotKey();
    {
        // Free again: another client may take each combination now.
        OtherClient other;
        for (std::uint16_t lock : kLocks)
            EXPECT_TRUE(other.grab(kCtrlAlt | lock)) << lock;
        typeKeys({"ctrl+alt+F8"});
        EXPECT_TRUE(eventually([&] { return other.presses() == 1; }));
        hotKey->processPendingEvents();
        EXPECT_EQ(presses, 0);
    }
    ASSERT_TRUE(registerCounting());
    typeKeys({"ctrl+alt+F8"});
    EXPECT_TRUE(pressesReach(1));
}

TEST_F(X11HotKeyTest, DestroyingReleasesTheKey) {
    ASSERT_TRUE(registerCounting());
    hotKey.reset();
    OtherClient other;
    EXPECT_TRUE(other.grab(kCtrlAlt));
}

TEST(X11HotKeyWithoutX11Application, GrabsNothing) {
    // The test executable's application draws offscreen: it has no X connection of its own.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection())
        GTEST_SKIP() << "the application runs on X11 here";
    X11HotKey hotKey;
    bool ran = false;
    EXPECT_FALSE(hotKey.registerHotKey([&] { ran = true; }));
    hotKey.unregisterHotKey();
    EXPECT_FALSE(ran);
}

} // namespace
