// A native Wayland window for tests: `wayland_test_client TITLE [APPID]` maps one xdg toplevel on
// the compositor named by WAYLAND_DISPLAY and prints "ready <pid>". Each line on standard input
// "title NEW" retitles it and prints "retitled" once the compositor has seen the new title. When the
// compositor asks the window to close it prints "closed" and exits 0; it exits 0 when standard input
// closes and 1 when the connection fails.
#include "xdg-shell-client-protocol.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

constexpr int Width = 64;
constexpr int Height = 48;

struct Client {
    wl_display* display = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* wmBase = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_buffer* buffer = nullptr;
    bool configured = false;
    bool closeRequested = false;
};

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* c = static_cast<Client*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0)
        c->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    else if (std::strcmp(interface, wl_shm_interface.name) == 0)
        c->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0)
        c->wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

void onPing(void*, xdg_wm_base* base, uint32_t serial) {
    xdg_wm_base_pong(base, serial);
}

const xdg_wm_base_listener wmBaseListener = {onPing};

void onSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    auto* c = static_cast<Client*>(data);
    xdg_surface_ack_configure(surface, serial);
    c->configured = true;
    if (c->buffer) {
        wl_surface_attach(c->surface, c->buffer, 0, 0);
        wl_surface_damage(c->surface, 0, 0, Width, Height);
        wl_surface_commit(c->surface);
    }
}

const xdg_surface_listener surfaceListener = {onSurfaceConfigure};

void onToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}

void onToplevelClose(void* data, xdg_toplevel*) {
    static_cast<Client*>(data)->closeRequested = true;
}

// Events of later xdg_toplevel versions stay null: the toplevel is bound at version 1.
const xdg_toplevel_listener toplevelListener = [] {
    xdg_toplevel_listener listener{};
    listener.configure = onToplevelConfigure;
    listener.close = onToplevelClose;
    return listener;
}();

// A solid buffer in shared memory: a toplevel maps only once it has content.
wl_buffer* makeBuffer(wl_shm* shm) {
    const int stride = Width * 4;
    const int size = stride * Height;
    const int fd = memfd_create("wayland_test_client", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return nullptr;
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    auto* words = static_cast<uint32_t*>(pixels);
    for (int i = 0; i < Width * Height; ++i)
        words[i] = 0xff3070b0;
    munmap(pixels, size);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, Width, Height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

// Handles one command line; false when it is unknown.
bool runCommand(Client& c, const std::string& line) {
    if (line.rfind("title ", 0) != 0)
        return false;
    xdg_toplevel_set_title(c.toplevel, line.substr(6).c_str());
    if (wl_display_roundtrip(c.display) < 0)
        std::exit(1);
    say("retitled");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wayland_test_client TITLE [APPID]\n");
        return 2;
    }
    Client c;
    c.display = wl_display_connect(nullptr);
    if (!c.display) {
        std::fprintf(stderr, "wayland_test_client: cannot connect: %s\n", std::strerror(errno));
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(c.display);
    wl_registry_add_listener(registry, &registryListener, &c);
    wl_display_roundtrip(c.display);
    if (!c.compositor || !c.shm || !c.wmBase) {
        std::fprintf(stderr, "wayland_test_client: the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n");
        return 1;
    }
    xdg_wm_base_add_listener(c.wmBase, &wmBaseListener, &c);
    c.surface = wl_compositor_create_surface(c.compositor);
    c.xdgSurface = xdg_wm_base_get_xdg_surface(c.wmBase, c.surface);
    xdg_surface_add_listener(c.xdgSurface, &surfaceListener, &c);
    c.toplevel = xdg_surface_get_toplevel(c.xdgSurface);
    xdg_toplevel_add_listener(c.toplevel, &toplevelListener, &c);
    xdg_toplevel_set_title(c.toplevel, argv[1]);
    if (argc > 2)
        xdg_toplevel_set_app_id(c.toplevel, argv[2]);
    wl_surface_commit(c.surface);
    while (!c.configured)
        if (wl_display_dispatch(c.display) < 0)
            return 1;
    c.buffer = makeBuffer(c.shm);
    if (!c.buffer)
        return 1;
    wl_surface_attach(c.surface, c.buffer, 0, 0);
    wl_surface_damage(c.surface, 0, 0, Width, Height);
    wl_surface_commit(c.surface);
    // The roundtrip returns once the compositor has handled the commit that maps the window.
    if (wl_display_roundtrip(c.display) < 0)
        return 1;
    std::printf("ready %d\n", static_cast<int>(getpid()));
    std::fflush(stdout);

    std::string pending;
    for (;;) {
        if (c.closeRequested) {
            say("closed");
            return 0;
        }
        while (wl_display_prepare_read(c.display) != 0)
            wl_display_dispatch_pending(c.display);
        wl_display_flush(c.display);
        pollfd fds[2] = {{wl_display_get_fd(c.display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            wl_display_cancel_read(c.display);
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (fds[0].revents & POLLIN) {
            if (wl_display_read_events(c.display) < 0)
                return 1;
        } else {
            wl_display_cancel_read(c.display);
            if (fds[0].revents & (POLLERR | POLLHUP))
                return 1;
        }
        if (wl_display_dispatch_pending(c.display) < 0)
            return 1;
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char chunk[512];
            const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
            if (n <= 0)
                return 0;
            pending.append(chunk, static_cast<std::size_t>(n));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                if (!runCommand(c, line))
                    std::fprintf(stderr, "wayland_test_client: unknown command: %s\n", line.c_str());
            }
        }
    }
}
