#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

// The i3 IPC protocol that sway speaks on its socket: messages framed as "i3-ipc", the payload's
// length and the message type (both 32 bits in the machine's byte order), then a JSON payload.
namespace platform::sway {

enum MessageType : std::uint32_t {
    RunCommand = 0,
    Subscribe = 2,
    GetTree = 4,
    WindowEvent = 0x80000003, // events have the top bit set
};

struct Message {
    std::uint32_t type = 0;
    QByteArray payload;
};

QByteArray encodeMessage(std::uint32_t type, QByteArrayView payload);

// Cuts a byte stream into messages.
class MessageReader {
public:
    void append(QByteArrayView bytes) { m_buffer.append(bytes); }
    // The next complete message; none while it is incomplete or after the stream turned out not to
    // be i3 IPC (then corrupt() tells).
    std::optional<Message> next();
    bool corrupt() const { return m_corrupt; }

private:
    QByteArray m_buffer;
    bool m_corrupt = false;
};

// The views of a GET_TREE reply, the most recently focused first as each container's focus list
// orders its children; none when the reply is not a tree.
std::optional<std::vector<NativeWindow>> windowsInTree(const QByteArray& json);

// What one window event says: its change ("new", "close", "title", "focus", ...) and the window as
// the event's container describes it (shown: the event does not tell the scratchpad).
struct WindowChange {
    QString change;
    NativeWindow window;
};
// None when the payload is no window event or its container is no view with a usable id (a
// closing one needs only the id).
std::optional<WindowChange> windowChange(const QByteArray& json);
// Brings a list in the tree's order up to date with a change, as far as the event tells: a new or
// focused window goes first and is shown, a closed one leaves, a retitled one keeps its place.
// Moves into or out of the scratchpad only a later tree tells.
void applyWindowChange(std::vector<NativeWindow>& windows, const WindowChange& change);

// Whether a reply says success: SUBSCRIBE's {"success": true}, or RUN_COMMAND's list with one such
// object for each command.
bool succeeded(const QByteArray& json);

} // namespace platform::sway
