// Torvane's view of a GNOME Shell 43/44 session. GNOME shows other programs no native Wayland
// window, so this extension lists the shell's windows and closes them for Torvane, over the
// shell's own session-bus connection (org.gnome.Shell, /io/github/torvane/Shell). It answers
// only the executables the allowed-executables setting names: by default Torvane itself.
'use strict';

const { Gio, GLib, Meta } = imports.gi;
const ExtensionUtils = imports.misc.extensionUtils;

const ObjectPath = '/io/github/torvane/Shell';
const InterfaceFile = 'io.github.torvane.Shell1.xml';
const RefusedError = 'org.freedesktop.DBus.Error.AccessDenied';

// The windows a user sees with a title bar; menus, tooltips and the shell's own surfaces are not listed.
const ListedTypes = [
    Meta.WindowType.NORMAL,
    Meta.WindowType.DIALOG,
    Meta.WindowType.MODAL_DIALOG,
    Meta.WindowType.UTILITY,
];

// The (tsbusbu) record of the interface.
function describe(window) {
    const x11 = window.get_client_type() === Meta.WindowClientType.X11;
    let x11Window = 0;
    if (x11) {
        // Mutter exposes no getter for the X11 id; an X11 window's description starts with it ("0x1e00004").
        const match = /^0x([0-9a-f]+)/i.exec(window.get_description() ?? '');
        x11Window = match ? parseInt(match[1], 16) : 0;
    }
    // For a native window the Wayland app id is what mutter keeps as its WM class.
    const appId = window.get_gtk_application_id() || window.get_wm_class() || '';
    return [
        window.get_id(),
        window.get_title() ?? '',
        !window.minimized,
        Math.max(0, window.get_pid()),
        appId,
        x11,
        x11Window,
    ];
}

class WindowService {
    constructor(settings) {
        this._settings = settings;
        // MetaWindow -> {ids: its signal handlers, announced}; only windows of a listed type are here.
        this._windows = new Map();
        const dir = ExtensionUtils.getCurrentExtension().dir;
        const [, xml] = dir.get_child(InterfaceFile).load_contents(null);
        this._dbus = Gio.DBusExportedObject.wrapJSObject(new TextDecoder().decode(xml), this);
        this._dbus.export(Gio.DBus.session, ObjectPath);

        this._createdId = global.display.connect('window-created', (_display, window) => this._track(window, false));
        for (const actor of global.get_window_actors())
            this._track(actor.get_meta_window(), true);
    }

    destroy() {
        global.display.disconnect(this._createdId);
        for (const [window, tracked] of this._windows)
            tracked.ids.forEach(id => window.disconnect(id));
        this._windows.clear();
        this._dbus.unexport();
    }

    // Mutter reads an X11 window's title, pid and class before it makes the window, but a native
    // window exists before its client has given it a title and an app id: WindowAdded waits until it
    // is first shown, which the client does once it has set them (or goes out as it is when the
    // window starts minimised). The list has every window all along.
    _track(window, shown) {
        if (!window || this._windows.has(window) || !ListedTypes.includes(window.get_window_type()))
            return;
        const tracked = {ids: [], announced: false};
        const announce = () => {
            if (tracked.announced)
                return;
            tracked.announced = true;
            this._emit('WindowAdded', '((tsbusbu))', [describe(window)]);
        };
        const changed = () => {
            if (tracked.announced)
                this._emit('WindowChanged', '((tsbusbu))', [describe(window)]);
        };
        tracked.ids = [
            window.connect('shown', announce),
            window.connect('notify::title', changed),
            window.connect('notify::minimized', changed),
            window.connect('unmanaged', () => this._forget(window)),
        ];
        this._windows.set(window, tracked);
        if (shown || window.minimized || window.get_client_type() === Meta.WindowClientType.X11)
            announce();
    }

    _forget(window) {
        const tracked = this._windows.get(window);
        if (!tracked)
            return;
        tracked.ids.forEach(id => window.disconnect(id));
        this._windows.delete(window);
        this._emit('WindowRemoved', '(t)', [window.get_id()]);
    }

    _emit(name, signature, values) {
        this._dbus.emit_signal(name, new GLib.Variant(signature, values));
    }

    // Runs `answer` once the caller is known to be allowed; refuses everyone else. Every step is
    // asynchronous: the shell must not wait on the bus.
    _whenAllowed(invocation, answer) {
        const refuse = () => invocation.return_dbus_error(RefusedError, 'Only Torvane may ask for the window list');
        invocation.get_connection().call(
            'org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetConnectionUnixProcessID', new GLib.Variant('(s)', [invocation.get_sender()]),
            new GLib.VariantType('(u)'), Gio.DBusCallFlags.NONE, -1, null,
            (connection, result) => {
                let executable;
                try {
                    const [pid] = connection.call_finish(result).deepUnpack();
                    executable = GLib.file_read_link(`/proc/${pid}/exe`);
                } catch (e) {
                    refuse(); // the caller is gone or hidden: it cannot be told apart from a stranger
                    return;
                }
                if (this._settings.get_strv('allowed-executables').includes(executable))
                    answer();
                else
                    refuse();
            });
    }

    ListWindowsAsync(_params, invocation) {
        this._whenAllowed(invocation, () => {
            const windows = [...this._windows.keys()].map(describe);
            invocation.return_value(new GLib.Variant('(a(tsbusbu))', [windows]));
        });
    }

    CloseAsync([id], invocation) {
        this._whenAllowed(invocation, () => {
            const window = [...this._windows.keys()].find(w => w.get_id() === id);
            window?.delete(global.get_current_time());
            invocation.return_value(new GLib.Variant('(b)', [window !== undefined]));
        });
    }
}

class Extension {
    enable() {
        this._service = new WindowService(ExtensionUtils.getSettings());
    }

    disable() {
        this._service?.destroy();
        this._service = null;
    }
}

function init() {
    return new Extension();
}
