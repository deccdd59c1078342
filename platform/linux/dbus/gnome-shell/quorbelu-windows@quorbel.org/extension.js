// Tells QuorbelU which window is in front on GNOME: its process, title,
// class and frame, each time the focus moves to another window and each time
// the focused one moves or changes size, and once more whenever QuorbelU
// appears on the session bus. The report is one JSON text handed to
// QuorbelU's WindowActivated method; nothing is sent while QuorbelU is not
// running. Switched off (also while the screen is locked) it says that it
// stops, so that QuorbelU does not take the last window for the one in front.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const SERVICE = 'org.quorbel.QuorbelU';
const PATH = '/org/quorbel/QuorbelU/Windows';
const IFACE = 'org.quorbel.QuorbelU.Windows';

export default class QuorbelUWindows extends Extension {
    enable() {
        this._present = false;
        this._window = null;
        this._windowSignals = [];
        this._focusSignal = global.display.connect('notify::focus-window',
            () => this._follow(global.display.focus_window));
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, SERVICE,
            Gio.BusNameWatcherFlags.NONE,
            () => {
                this._present = true;
                this._report();
            },
            () => {
                this._present = false;
            });
        this._follow(global.display.focus_window);
    }

    disable() {
        this._send({window: null});
        this._present = false;
        this._follow(null);
        global.display.disconnect(this._focusSignal);
        Gio.bus_unwatch_name(this._watch);
    }

    _follow(window) {
        for (const id of this._windowSignals)
            this._window.disconnect(id);
        this._windowSignals = [];
        this._window = window ?? null;
        if (this._window) {
            const report = () => this._report();
            this._windowSignals = [
                this._window.connect('position-changed', report),
                this._window.connect('size-changed', report),
                // Closed: the focus moves on, and this window is no more.
                this._window.connect('unmanaged', () => {
                    this._windowSignals = [];
                    this._window = null;
                }),
            ];
        }
        this._report();
    }

    _report() {
        const [width, height] = global.display.get_size();
        const message = {window: '', screen: {x: 0, y: 0, width, height}};
        const window = this._window;
        if (window) {
            const frame = window.get_frame_rect();
            const pid = window.get_pid();
            message.window = String(window.get_stable_sequence());
            message.pid = pid > 0 ? pid : null;
            message.title = window.get_title() ?? '';
            message.class = window.get_wm_class() ?? '';
            message.x = frame.x;
            message.y = frame.y;
            message.width = frame.width;
            message.height = frame.height;
        }
        this._send(message);
    }

    _send(message) {
        if (!this._present)
            return;
        Gio.DBus.session.call(SERVICE, PATH, IFACE, 'WindowActivated',
            new GLib.Variant('(s)', [JSON.stringify(message)]), null,
            Gio.DBusCallFlags.NO_AUTO_START, 1000, null, null);
    }
}
