#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace platform::x11 {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// A reply or error returned by xcb, which the caller must free.
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// Collects a reply, dropping any error: a window that vanished mid-request simply has no reply.
template <typename T, typename Cookie>
Reply<T> collect(T* (*replyFunction)(xcb_connection_t*, Cookie, xcb_generic_error_t**), xcb_connection_t* c,
                 Cookie cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<T> reply(replyFunction(c, cookie, &error));
    std::free(error);
    return reply;
}

// Property requests ask for at most this many 32-bit units: titles are cut far below it.
inline constexpr std::uint32_t MaxPropertyUnits = 4096;

inline xcb_get_property_cookie_t requestProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    return xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, MaxPropertyUnits);
}

inline bool hasProperty(const xcb_get_property_reply_t* reply) {
    return reply && reply->type != XCB_NONE;
}

// The first 32-bit value of a property, if it holds one.
inline bool firstCard32(const xcb_get_property_reply_t* reply, std::uint32_t& value) {
    if (!hasProperty(reply) || reply->format != 32 || xcb_get_property_value_length(reply) < 4)
        return false;
    value = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return true;
}

} // namespace platform::x11
