#include "platform/linux/x11/x11_window_system.h"

#include "platform/linux/x11/x11_reply.h"
#include "platform/linux/x11/x11_text.h"
#include "platform/linux/x11/x11_window_watch.h"
#include "platform/torvane_error.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <xcb/res.h>

namespace platform {

using x11::collect;
using x11::Reply;

namespace {

QByteArray hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return QByteArray(name);
}

} // namespace

xcb_connection_t* X11WindowSystem::connect(const QString& display, xcb_window_t& root) {
    const QByteArray name = display.toLocal8Bit();
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        throw TorvaneError(QStringLiteral("Cannot open display \"%1\"")
                               .arg(name.isEmpty() ? qEnvironmentVariable("DISPLAY") : display));
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    root = screens.data->root;
    return connection;
}

X11WindowSystem::X11WindowSystem(const QString& display, OwnerLookup lookup) : m_lookup(lookup), m_display(display) {
    m_connection = connect(display, m_root);

    // All atoms and the extension version in one round trip.
    struct Name {
        const char* text;
        xcb_atom_t* atom;
    } names[] = {
        {"WM_STATE", &m_atoms.wmState},         {"_NET_WM_NAME", &m_atoms.netWmName},
        {"UTF8_STRING", &m_atoms.utf8String},   {"COMPOUND_TEXT", &m_atoms.compoundText},
        {"WM_PROTOCOLS", &m_atoms.wmProtocols}, {"WM_DELETE_WINDOW", &m_atoms.wmDeleteWindow},
        {"_NET_WM_PID", &m_atoms.netWmPid},
    };
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const Name& n : names)
        cookies.push_back(xcb_intern_atom(m_connection, 0, std::strlen(n.text), n.text));
    const xcb_query_extension_reply_t* res = xcb_get_extension_data(m_connection, &xcb_res_id);
    const bool hasRes = res && res->present;
    xcb_res_query_version_cookie_t version{};
    if (hasRes)
        version = xcb_res_query_version(m_connection, 1, 2);
    for (std::size_t i = 0; i < cookies.size(); ++i)
        if (auto reply = collect(xcb_intern_atom_reply, m_connection, cookies[i]))
            *names[i].atom = reply->atom;
    if (hasRes)
        if (auto reply = collect(xcb_res_query_version_reply, m_connection, version))
            m_hasClientIds = reply->server_major > 1 || (reply->server_major == 1 && reply->server_minor >= 2);
    m_hostName = hostName();
}

X11WindowSystem::~X11WindowSystem() {
    m_watch.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11WindowSystem::usable() const {
    return m_connection && !xcb_connection_has_error(m_connection);
}

QString X11WindowSystem::titleFrom(const xcb_get_property_reply_t* netWmName,
                                   const xcb_get_property_reply_t* wmName) const {
    auto bytes = [](const xcb_get_property_reply_t* reply) {
        return QByteArrayView(static_cast<const char*>(xcb_get_property_value(reply)),
                              xcb_get_property_value_length(reply));
    };
    if (x11::hasProperty(netWmName) && netWmName->format == 8) {
        QString title = x11::decodeTextProperty(bytes(netWmName), x11::TextEncoding::Utf8);
        if (!title.isEmpty())
            return x11::cutTitle(std::move(title));
    }
    if (!x11::hasProperty(wmName) || wmName->format != 8)
        return {};
    x11::TextEncoding encoding = x11::TextEncoding::Latin1; // STRING, and any type a client made up
    if (wmName->type == m_atoms.utf8String)
        encoding = x11::TextEncoding::Utf8;
    else if (wmName->type == m_atoms.compoundText)
        encoding = x11::TextEncoding::CompoundText;
    return x11::cutTitle(x11::decodeTextProperty(bytes(wmName), encoding));
}

ProcessId X11WindowSystem::windowProcessId(WindowHandle window) {
    if (window == 0 || !usable())
        return 0;
    // The existence check goes first: the server answers for the client of any id of a live client,
    // also for a window that client has destroyed.
    auto attributes = xcb_get_window_attributes(m_connection, window);
    xcb_res_query_client_ids_cookie_t ids{};
    const bool askServer = m_hasClientIds && m_lookup == OwnerLookup::ServerThenProperty;
    if (askServer) {
        const xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
        ids = xcb_res_query_client_ids(m_connection, 1, &spec);
    }
    auto pidCookie = x11::requestProperty(m_connection, window, m_atoms.netWmPid);
    auto machineCookie = x11::requestProperty(m_connection, window, XCB_ATOM_WM_CLIENT_MACHINE);

    const bool exists = collect(xcb_get_window_attributes_reply, m_connection, attributes) != nullptr;
    std::uint32_t serverPid = 0;
    if (askServer) {
        if (auto reply = collect(xcb_res_query_client_ids_reply, m_connection, ids)) {
            for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem > 0;
                 xcb_res_client_id_value_next(&it)) {
                if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) && it.data->length == 4)
                    serverPid = *xcb_res_client_id_value_value(it.data);
            }
        }
    }
    auto pid = collect(xcb_get_property_reply, m_connection, pidCookie);
    auto machine = collect(xcb_get_property_reply, m_connection, machineCookie);
    if (!exists)
        return 0;
    if (serverPid != 0)
        return serverPid;

    // The property is the client's own claim: only believed for a client of this host.
    std::uint32_t claimed = 0;
    if (!x11::firstCard32(pid.get(), claimed) || !x11::hasProperty(machine.get()) || machine->format != 8 ||
        m_hostName.isEmpty())
        return 0;
    QByteArrayView machineName(static_cast<const char*>(xcb_get_property_value(machine.get())),
                               xcb_get_property_value_length(machine.get()));
    const qsizetype zero = machineName.indexOf('\0');
    if (zero >= 0)
        machineName = machineName.first(zero);
    return machineName == m_hostName ? claimed : 0;
}

void X11WindowSystem::postCloseMessage(WindowHandle window) {
    if (window == 0 || !usable())
        return;
    auto protocols =
        collect(xcb_get_property_reply, m_connection, x11::requestProperty(m_connection, window, m_atoms.wmProtocols));
    if (!x11::hasProperty(protocols.get()) || protocols->format != 32)
        return;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(protocols.get()));
    const int count = xcb_get_property_value_length(protocols.get()) / 4;
    if (std::find(atoms, atoms + count, m_atoms.wmDeleteWindow) == atoms + count)
        return;

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_atoms.wmProtocols;
    event.data.data32[0] = m_atoms.wmDeleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    // No event mask: the message goes to the client that created the window.
    xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

} // namespace platform
