#include "platform/linux/x11/x11_hot_key.h"

#include "platform/linux/x11/x11_reply.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

constexpr xcb_keysym_t kF8 = 0xffc5;
constexpr xcb_keysym_t kNumLock = 0xff7f;
constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kAltR = 0xffea;

// The eight modifier bits of a key event's state; the rest are pointer buttons.
constexpr std::uint16_t kModifierBits = 0x00ff;

// The keysyms of every keycode of the server's keyboard map.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* c) {
        const xcb_setup_t* setup = xcb_get_setup(c);
        m_first = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        m_reply = x11::collect(xcb_get_keyboard_mapping_reply, c, xcb_get_keyboard_mapping(c, m_first, count));
        if (m_reply) {
            m_perKeycode = m_reply->keysyms_per_keycode;
            m_syms = xcb_get_keyboard_mapping_keysyms(m_reply.get());
            m_symCount = xcb_get_keyboard_mapping_keysyms_length(m_reply.get());
        }
    }

    // Keycodes whose unshifted symbol is `sym`.
    std::vector<xcb_keycode_t> keycodesOf(xcb_keysym_t sym) const {
        std::vector<xcb_keycode_t> keycodes;
        for (int i = 0; m_perKeycode > 0 && i < m_symCount; i += m_perKeycode)
            if (m_syms[i] == sym)
                keycodes.push_back(static_cast<xcb_keycode_t>(m_first + i / m_perKeycode));
        return keycodes;
    }

    bool produces(xcb_keycode_t keycode, xcb_keysym_t sym) const {
        if (m_perKeycode == 0 || keycode < m_first)
            return false;
        const int start = (keycode - m_first) * m_perKeycode;
        for (int i = start; i < start + m_perKeycode && i < m_symCount; ++i)
            if (m_syms[i] == sym)
                return true;
        return false;
    }

private:
    x11::Reply<xcb_get_keyboard_mapping_reply_t> m_reply;
    xcb_keycode_t m_first = 0;
    int m_perKeycode = 0;
    const xcb_keysym_t* m_syms = nullptr;
    int m_symCount = 0;
};

// The modifier bit that one of `syms` is bound to, 0 when none is.
std::uint16_t modifierMaskOf(xcb_connection_t* c, const KeyboardMap& map, std::initializer_list<xcb_keysym_t> syms) {
    const auto reply = x11::collect(xcb_get_modifier_mapping_reply, c, xcb_get_modifier_mapping(c));
    if (!reply)
        return 0;
    const int perModifier = reply->keycodes_per_modifier;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
            if (keycode == 0)
                continue;
            for (xcb_keysym_t sym : syms)
                if (map.produces(keycode, sym))
                    return static_cast<std::uint16_t>(1u << modifier);
        }
    return 0;
}

xcb_connection_t* applicationConnection() {
    if (!qGuiApp)
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

X11HotKey::X11HotKey() = default;

X11HotKey::X11HotKey(xcb_connection_t* connection) : m_connection(connection), m_ownConnection(true) {}

X11HotKey::~X11HotKey() {
    unregisterHotKey();
}

xcb_connection_t* X11HotKey::connection() const {
    xcb_connection_t* c = m_ownConnection ? m_connection : applicationConnection();
    return c && !xcb_connection_has_error(c) ? c : nullptr;
}

bool X11HotKey::registerHotKey(std::function<void()> pressed) {
    unregisterHotKey();
    xcb_connection_t* c = connection();
    if (!c)
        return false;
    m_connection = c;

    const KeyboardMap map(c);
    const std::vector<xcb_keycode_t> keycodes = map.keycodesOf(kF8);
    const std::uint16_t numLock = modifierMaskOf(c, map, {kNumLock});
    const std::uint16_t alt = modifierMaskOf(c, map, {kAltL, kAltR});
    m_modifiers = XCB_MOD_MASK_CONTROL | (alt ? alt : std::uint16_t{XCB_MOD_MASK_1});
    m_ignoredModifiers = numLock | XCB_MOD_MASK_LOCK;
    std::vector<std::uint16_t> locks = {0, XCB_MOD_MASK_LOCK};
    if (numLock && !(numLock & m_modifiers)) {
        locks.push_back(numLock);
        locks.push_back(numLock | XCB_MOD_MASK_LOCK);
    }

    // Send every grab first, then collect the answers: one round trip in all.
    std::vector<std::pair<Grab, xcb_void_cookie_t>> requests;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem; xcb_screen_next(&screens))
        for (xcb_keycode_t keycode : keycodes)
            for (std::uint16_t lock : locks) {
                const Grab grab{screens.data->root, keycode, static_cast<std::uint16_t>(m_modifiers | lock)};
                // Not owner_events: the press is reported on the root even while one of our own
                // windows has the focus, so the filter recognises it in every case.
                requests.emplace_back(grab, xcb_grab_key_checked(c, 0, grab.root, grab.modifiers, grab.keycode,
                                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
    for (const auto& [grab, cookie] : requests) {
        // Another client holding the combination refuses it (BadAccess): that one is left out.
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie))
            std::free(error);
        else
            m_grabs.push_back(grab);
    }

    m_pressed = std::move(pressed);
    if (!m_ownConnection && QCoreApplication::instance()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
    return !m_grabs.empty();
}

void X11HotKey::unregisterHotKey() {
    if (m_filterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    m_filterInstalled = false;
    m_pressed = nullptr;
    if (!m_grabs.empty() && m_connection && !xcb_connection_has_error(m_connection)) {
        for (const Grab& grab : m_grabs)
            xcb_ungrab_key(m_connection, grab.keycode, grab.root, grab.modifiers);
        xcb_flush(m_connection);
    }
    m_grabs.clear();
}

void X11HotKey::processPendingEvents() {
    if (!m_ownConnection || !m_connection)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        handleEvent(event);
        std::free(event);
    }
}

bool X11HotKey::handleEvent(const xcb_generic_event_t* event) {
    if (!event || !m_pressed)
        return false;
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const std::uint16_t modifiers = key->state & kModifierBits & ~m_ignoredModifiers;
    const bool ours = modifiers == m_modifiers && std::any_of(m_grabs.begin(), m_grabs.end(), [key](const Grab& g) {
                          return g.root == key->event && g.keycode == key->detail;
                      });
    if (!ours)
        return false;
    if (type == XCB_KEY_PRESS) {
        // The handler may unregister the key, which clears m_pressed.
        const std::function<void()> pressed = m_pressed;
        pressed();
    }
    return true;
}

bool X11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    return handleEvent(static_cast<const xcb_generic_event_t*>(message));
}

} // namespace platform
