// x11_child: opens X11 windows as its command line says, prints "window <client> <top>" for each
// (decimal ids; top is the root child: the client itself or its simulated frame), then "ready", and
// waits. It exits when a window that accepts WM_DELETE_WINDOW is asked to close, or when killed; any
// other client message it gets is reported as "message <window>".
//
//   x11_child [--net-wm-pid N | --no-net-wm-pid] [--client-machine NAME | --no-client-machine]
//             --window [options] [--window [options] ...]
// Window options:
//   --utf8 TEXT           _NET_WM_NAME as UTF8_STRING
//   --latin1 TEXT         WM_NAME as STRING (the UTF-8 argument converted to Latin-1)
//   --wm-name-utf8 TEXT   WM_NAME as UTF8_STRING
//   --wm-name-ctext TEXT  WM_NAME as COMPOUND_TEXT (the bytes given; \e is ESC, \xHH any byte)
//   --unmapped            left unmapped (default: mapped)
//   --map-after MS        mapped MS milliseconds after "ready" (as a slow toolkit or window manager)
//   --managed STATE       as a reparenting window manager leaves it: a frame at the root holds the
//                         window, which carries WM_STATE (normal, iconic, withdrawn); the frame is
//                         mapped only for normal
//   --deep                with --managed, one more window between frame and client
//   --wm-state STATE      WM_STATE on the window itself, without a frame
//   --delete              WM_PROTOCOLS lists WM_DELETE_WINDOW
//   --take-focus          WM_PROTOCOLS lists WM_TAKE_FOCUS
//   --destroyed           destroyed again at once (its id is printed all the same)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace {

struct WindowSpec {
    std::string netWmName, wmName;
    bool hasNetWmName = false, hasWmName = false;
    const char* wmNameType = "STRING";
    bool mapped = true;
    int mapAfterMs = 0;
    int managedState = -1; // WM_STATE in a frame
    bool deep = false;
    int ownState = -1; // WM_STATE without a frame
    bool deleteProtocol = false;
    bool takeFocusProtocol = false;
    bool destroyed = false;
};

[[noreturn]] void usage(const char* what) {
    std::fprintf(stderr, "x11_child: bad argument %s\n", what);
    std::exit(2);
}

int stateNumber(const char* name) {
    if (!std::strcmp(name, "normal"))
        return 1;
    if (!std::strcmp(name, "iconic"))
        return 3;
    if (!std::strcmp(name, "withdrawn"))
        return 0;
    usage(name);
}

std::string toLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c & 0xe0) == 0xc0 && i + 1 < utf8.size()) {
            const unsigned code = ((c & 0x1f) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3f);
            out += code <= 0xff ? static_cast<char>(code) : '?';
        } else {
            out += '?';
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xc0) == 0x80)
                ++i;
        }
    }
    return out;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'e') {
            out += '\x1b';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

xcb_connection_t* connection;

xcb_atom_t atom(const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (!reply)
        std::exit(3);
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

void setProperty(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, int format, std::uint32_t count,
                 const void* data) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, w, property, type, format, count, data);
}

void setText(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, const std::string& text) {
    setProperty(w, property, type, 8, text.size(), text.data());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<WindowSpec> specs;
    long claimedPid = getpid();
    bool setPid = true, setMachine = true;
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    std::string machine = host;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                usage(arg.c_str());
            return argv[++i];
        };
        if (arg == "--window") {
            specs.emplace_back();
            continue;
        }
        if (arg == "--net-wm-pid") {
            claimedPid = std::atol(value().c_str());
        } else if (arg == "--no-net-wm-pid") {
            setPid = false;
        } else if (arg == "--client-machine") {
            machine = value();
        } else if (arg == "--no-client-machine") {
            setMachine = false;
        } else if (specs.empty()) {
            usage(arg.c_str());
        } else {
            WindowSpec& w = specs.back();
            if (arg == "--utf8") {
                w.netWmName = value();
                w.hasNetWmName = true;
            } else if (arg == "--latin1") {
                w.wmName = toLatin1(value());
                w.hasWmName = true;
            } else if (arg == "--wm-name-utf8") {
                w.wmName = value();
                w.wmNameType = "UTF8_STRING";
                w.hasWmName = true;
            } else if (arg == "--wm-name-ctext") {
                w.wmName = unescape(value());
                w.wmNameType = "COMPOUND_TEXT";
                w.hasWmName = true;
            } else if (arg == "--unmapped") {
                w.mapped = false;
            } else if (arg == "--map-after") {
                w.mapAfterMs = std::atoi(value().c_str());
            } else if (arg == "--managed") {
                w.managedState = stateNumber(value().c_str());
            } else if (arg == "--deep") {
                w.deep = true;
            } else if (arg == "--wm-state") {
                w.ownState = stateNumber(value().c_str());
            } else if (arg == "--delete") {
                w.deleteProtocol = true;
            } else if (arg == "--take-focus") {
                w.takeFocusProtocol = true;
            } else if (arg == "--destroyed") {
                w.destroyed = true;
            } else {
                usage(arg.c_str());
            }
        }
    }

    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "x11_child: cannot connect\n");
        return 3;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t wmState = atom("WM_STATE"), netWmName = atom("_NET_WM_NAME"), netWmPid = atom("_NET_WM_PID"),
                     wmProtocols = atom("WM_PROTOCOLS"), wmDeleteWindow = atom("WM_DELETE_WINDOW"),
                     utf8String = atom("UTF8_STRING"), wmTakeFocus = atom("WM_TAKE_FOCUS");

    auto create = [&](xcb_window_t parent) {
        const xcb_window_t w = xcb_generate_id(connection);
        // A background gives the window content, without which XWayland never shows it to the compositor.
        const std::uint32_t background = screen->white_pixel;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, w, parent, 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, &background);
        return w;
    };
    auto setState = [&](xcb_window_t w, int state) {
        const std::uint32_t value[2] = {static_cast<std::uint32_t>(state), XCB_NONE};
        setProperty(w, wmState, wmState, 32, 2, value);
    };

    std::vector<xcb_window_t> deleteWindows;
    std::vector<std::pair<xcb_window_t, int>> mapLater;
    auto acceptsDelete = [&](xcb_window_t w) {
        for (xcb_window_t d : deleteWindows)
            if (d == w)
                return true;
        return false;
    };
    for (const WindowSpec& spec : specs) {
        xcb_window_t top = XCB_NONE, parent = screen->root;
        if (spec.managedState >= 0) {
            top = parent = create(screen->root);
            if (spec.deep)
                parent = create(parent);
        }
        const xcb_window_t client = create(parent);
        if (top == XCB_NONE)
            top = client;
        if (spec.hasNetWmName)
            setText(client, netWmName, utf8String, spec.netWmName);
        if (spec.hasWmName)
            setText(client, XCB_ATOM_WM_NAME, atom(spec.wmNameType), spec.wmName);
        if (setPid) {
            const std::uint32_t pid = static_cast<std::uint32_t>(claimedPid);
            setProperty(client, netWmPid, XCB_ATOM_CARDINAL, 32, 1, &pid);
        }
        if (setMachine)
            setText(client, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, machine);
        std::vector<xcb_atom_t> protocols;
        if (spec.takeFocusProtocol)
            protocols.push_back(wmTakeFocus);
        if (spec.deleteProtocol) {
            deleteWindows.push_back(client);
            protocols.push_back(wmDeleteWindow);
        }
        if (!protocols.empty())
            setProperty(client, wmProtocols, XCB_ATOM_ATOM, 32, protocols.size(), protocols.data());
        if (spec.managedState >= 0) {
            // A window manager maps the client inside its frame and shows the frame only when normal.
            setState(client, spec.managedState);
            xcb_map_window(connection, client);
            if (parent != top)
                xcb_map_window(connection, parent);
            if (spec.managedState == 1)
                xcb_map_window(connection, top);
        } else {
            if (spec.ownState >= 0)
                setState(client, spec.ownState);
            if (spec.mapAfterMs > 0)
                mapLater.emplace_back(client, spec.mapAfterMs);
            else if (spec.mapped)
                xcb_map_window(connection, client);
        }
        if (spec.destroyed)
            xcb_destroy_window(connection, top);
        std::printf("window %u %u\n", client, top);
    }
    // A round trip: the server has carried out everything before "ready" is printed.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::printf("ready\n");
    std::fflush(stdout);
    for (const auto& [window, delayMs] : mapLater) {
        usleep(static_cast<useconds_t>(delayMs) * 1000);
        xcb_map_window(connection, window);
        xcb_flush(connection);
    }

    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            const bool close =
                message->type == wmProtocols && message->format == 32 && message->data.data32[0] == wmDeleteWindow;
            if (close && acceptsDelete(message->window)) {
                std::free(event);
                xcb_disconnect(connection);
                return 0;
            }
            // Any other message is reported, so a test can tell it was sent.
            std::printf("message %u\n", message->window);
            std::fflush(stdout);
        }
        std::free(event);
    }
    return 1; // the server went away
}
