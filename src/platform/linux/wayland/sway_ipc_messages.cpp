#include "platform/linux/wayland/sway_ipc_messages.h"

#include "platform/linux/x11/x11_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sys/types.h>
#include <unordered_map>

namespace platform::sway {

namespace {

constexpr QByteArrayView Magic = "i3-ipc";
constexpr qsizetype HeaderSize = 14;
// A tree of thousands of windows stays far below this; more means the stream is not what it seems.
constexpr std::uint32_t MaxPayload = 64u << 20;
// Container ids must fit beside the native handle bit; sway numbers its containers from 1.
constexpr std::uint32_t MaxConId = ~kNativeHandleBit;
// Larger numbers would turn negative as a pid_t, where a signal reaches a whole process group.
constexpr std::uint32_t MaxPid = std::numeric_limits<pid_t>::max();
constexpr std::uint32_t MaxX11Window = 0x1FFFFFFF; // X11 ids use at most 29 bits

std::uint32_t readU32(const char* p) {
    std::uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// A view is a container that holds a client's surface; split containers have no pid, app_id or
// X11 properties.
bool isView(const QJsonObject& node) {
    const QString type = node.value(QLatin1String("type")).toString();
    return (type == QLatin1String("con") || type == QLatin1String("floating_con")) &&
           (node.contains(QLatin1String("pid")) || node.value(QLatin1String("app_id")).isString() ||
            node.contains(QLatin1String("window_properties")));
}

// A JSON number as a whole number from 1 to `highest`; none when it is absent, fractional,
// negative, too large or not a number at all. A wrong pid or id would aim a kill elsewhere.
std::optional<std::uint32_t> positiveWhole(const QJsonValue& value, std::uint32_t highest) {
    const double number = value.toDouble(); // 0 for anything that is not a number
    if (!(number >= 1 && number <= double(highest)) || std::floor(number) != number)
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

NativeWindow viewWindow(const QJsonObject& node, std::uint32_t id, bool inScratchpad) {
    NativeWindow w;
    w.handle = kNativeHandleBit | id;
    w.title = x11::cutTitle(node.value(QLatin1String("name")).toString());
    // sway has no minimising: only the scratchpad hides a window. Its own "visible" also turns false
    // on workspaces not shown, where the window is neither minimised nor hidden.
    w.visible = !inScratchpad;
    w.pid = positiveWhole(node.value(QLatin1String("pid")), MaxPid).value_or(0);
    w.appId = node.value(QLatin1String("app_id")).toString();
    w.x11Window = positiveWhole(node.value(QLatin1String("window")), MaxX11Window).value_or(0);
    w.xwayland = node.value(QLatin1String("shell")).toString() == QLatin1String("xwayland");
    return w;
}

void collect(const QJsonObject& node, bool inScratchpad, std::vector<NativeWindow>& out) {
    inScratchpad = inScratchpad || (node.value(QLatin1String("type")).toString() == QLatin1String("workspace") &&
                                    node.value(QLatin1String("name")).toString() == QLatin1String("__i3_scratch"));
    if (isView(node))
        if (const std::optional<std::uint32_t> id = positiveWhole(node.value(QLatin1String("id")), MaxConId))
            out.push_back(viewWindow(node, *id, inScratchpad));
    // Children in focus order: the focus list names tiled and floating children alike, most recent
    // first; children it leaves out follow in tree order.
    std::vector<QJsonObject> children;
    std::unordered_map<double, std::size_t> byId;
    for (const char* list : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(list)).toArray()) {
            byId.emplace(child.toObject().value(QLatin1String("id")).toDouble(), children.size());
            children.push_back(child.toObject());
        }
    }
    std::vector<bool> done(children.size(), false);
    for (const QJsonValue& focused : node.value(QLatin1String("focus")).toArray()) {
        const auto it = byId.find(focused.toDouble());
        if (it != byId.end() && !done[it->second]) {
            done[it->second] = true;
            collect(children[it->second], inScratchpad, out);
        }
    }
    for (std::size_t i = 0; i < children.size(); ++i)
        if (!done[i])
            collect(children[i], inScratchpad, out);
}

} // namespace

QByteArray encodeMessage(std::uint32_t type, QByteArrayView payload) {
    QByteArray out;
    out.reserve(HeaderSize + payload.size());
    out.append(Magic);
    const std::uint32_t length = static_cast<std::uint32_t>(payload.size());
    out.append(reinterpret_cast<const char*>(&length), sizeof length);
    out.append(reinterpret_cast<const char*>(&type), sizeof type);
    out.append(payload);
    return out;
}

std::optional<Message> MessageReader::next() {
    if (m_corrupt || m_buffer.size() < HeaderSize)
        return std::nullopt;
    const std::uint32_t length = readU32(m_buffer.constData() + Magic.size());
    if (!m_buffer.startsWith(Magic) || length > MaxPayload) {
        m_corrupt = true;
        m_buffer.clear();
        return std::nullopt;
    }
    if (m_buffer.size() < HeaderSize + qsizetype(length))
        return std::nullopt;
    Message message{readU32(m_buffer.constData() + Magic.size() + 4), m_buffer.mid(HeaderSize, length)};
    m_buffer.remove(0, HeaderSize + length);
    return message;
}

std::optional<std::vector<NativeWindow>> windowsInTree(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    std::vector<NativeWindow> windows;
    collect(document.object(), false, windows);
    return windows;
}

std::optional<WindowChange> windowChange(const QByteArray& json) {
    const QJsonObject event = QJsonDocument::fromJson(json).object();
    const QJsonObject container = event.value(QLatin1String("container")).toObject();
    const std::optional<std::uint32_t> id = positiveWhole(container.value(QLatin1String("id")), MaxConId);
    const QString change = event.value(QLatin1String("change")).toString();
    // A closing window is gone by its id alone, whatever else its container still tells.
    if (!id || (!isView(container) && change != QLatin1String("close")))
        return std::nullopt;
    return WindowChange{change, viewWindow(container, *id, false)};
}

void applyWindowChange(std::vector<NativeWindow>& windows, const WindowChange& change) {
    const auto known = std::find_if(windows.begin(), windows.end(),
                                    [&](const NativeWindow& w) { return w.handle == change.window.handle; });
    if (change.change == QLatin1String("title")) {
        if (known != windows.end()) {
            const bool visible = known->visible;
            *known = change.window;
            known->visible = visible;
        }
    } else if (change.change == QLatin1String("close")) {
        if (known != windows.end())
            windows.erase(known);
    } else if (change.change == QLatin1String("new") || change.change == QLatin1String("focus")) {
        if (known != windows.end())
            windows.erase(known);
        windows.insert(windows.begin(), change.window);
    }
}

bool succeeded(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (document.isObject())
        return document.object().value(QLatin1String("success")).toBool();
    const QJsonArray results = document.array();
    for (const QJsonValue& result : results)
        if (!result.toObject().value(QLatin1String("success")).toBool())
            return false;
    return !results.isEmpty();
}

} // namespace platform::sway
