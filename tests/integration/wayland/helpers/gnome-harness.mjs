// Runs QuorbelU's GNOME Shell extension as GNOME Shell 45 or later would
// (a module), or with "legacy" as GNOME 42 to 44 would (a script with
// init()), with stand-ins for Gio, GLib and the Shell's display whose windows
// the test focuses, moves and resizes: the extension's calls go over the
// session bus to the program's listener.
//   node gnome-harness.mjs <extension.js> [legacy]
import {readFileSync} from 'node:fs';
import {register} from 'node:module';
import {setImmediate as tick} from 'node:timers/promises';
import {pathToFileURL} from 'node:url';
import vm from 'node:vm';

import {call, nameHasOwner, ownProcess} from './bus-call.mjs';

// The Shell's modules, taken from the stand-ins below.
const stand = name => `data:text/javascript,export default globalThis.${name};`;
register('data:text/javascript,' + encodeURIComponent(`
export async function resolve(specifier, context, next) {
    const modules = {
        'gi://Gio': ${JSON.stringify(stand('standInGio'))},
        'gi://GLib': ${JSON.stringify(stand('standInGLib'))},
        'resource:///org/gnome/shell/extensions/extension.js':
            'data:text/javascript,export class Extension { constructor(metadata) { this.metadata = metadata; } }',
    };
    if (specifier in modules)
        return {url: modules[specifier], shortCircuit: true};
    return next(specifier, context);
}`));

// GObject signals: connect gives an id, disconnect takes it.
class Emitter {
    constructor() {
        this.handlers = new Map();
        this.next = 1;
    }

    connect(signal, handler) {
        this.handlers.set(this.next, {signal, handler});
        return this.next++;
    }

    disconnect(id) {
        if (!this.handlers.delete(id))
            throw new Error(`no handler ${id}`);
    }

    emit(signal) {
        for (const {signal: s, handler} of [...this.handlers.values()]) {
            if (s === signal)
                handler(this);
        }
    }
}

class MetaWindow extends Emitter {
    constructor(sequence, pid, title, wmClass, rect) {
        super();
        Object.assign(this, {sequence, pid, title, wmClass, rect});
    }

    get_stable_sequence() {
        return this.sequence;
    }

    get_pid() {
        return this.pid;
    }

    get_title() {
        return this.title;
    }

    get_wm_class() {
        return this.wmClass;
    }

    get_frame_rect() {
        return this.rect;
    }
}

const watches = new Map();
globalThis.standInGio = {
    BusType: {SESSION: 2},
    BusNameWatcherFlags: {NONE: 0},
    DBusCallFlags: {NO_AUTO_START: 1},
    bus_watch_name(type, name, flags, appeared) {
        const id = watches.size + 1;
        watches.set(id, name);
        // As GIO does, from the main loop once the name's owner is known.
        setImmediate(() => {
            if (watches.has(id) && nameHasOwner(name))
                appeared(null, name, ':1.1');
        });
        return id;
    },
    bus_unwatch_name(id) {
        watches.delete(id);
    },
    DBus: {
        session: {
            call(service, path, iface, method, parameters) {
                if (parameters.type !== '(s)')
                    throw new Error(`parameters of type ${parameters.type}`);
                call(service, path, iface, method, ...parameters.values);
            },
        },
    },
};
globalThis.standInGLib = {
    Variant: class {
        constructor(type, values) {
            this.type = type;
            this.values = values;
        }
    },
};

const display = new Emitter();
display.focus_window = null;
display.get_size = () => [3200, 1080];
globalThis.global = {display};

const focus = window => {
    display.focus_window = window;
    display.emit('notify::focus-window');
};
const editor = new MetaWindow(17, 4242, 'Song - Ed', 'org.example.ed',
    {x: -1280, y: 40, width: 800, height: 600});
const ours = new MetaWindow(18, ownProcess, 'Quorbel - Default', 'quorbelu',
    {x: 100, y: 100, width: 1015, height: 560});

// The extension as its Shell loads it.
async function load(path, legacy) {
    if (legacy) {
        const script = {imports: {gi: {Gio: globalThis.standInGio, GLib: globalThis.standInGLib}},
            global: globalThis.global};
        vm.runInNewContext(readFileSync(path, 'utf8'), script);
        return script.init({uuid: 'quorbelu-windows-legacy@quorbel.org'});
    }
    const {default: QuorbelUWindows} = await import(pathToFileURL(path).href);
    return new QuorbelUWindows({uuid: 'quorbelu-windows@quorbel.org'});
}

display.focus_window = editor;
const extension = await load(process.argv[2], process.argv[3] === 'legacy');
// 1: the window in front once the program is found on the bus.
extension.enable();
await tick();
// 2: it grows.
editor.rect = {x: -1280, y: 40, width: 1000, height: 700};
editor.emit('size-changed');
// 3: the program's own window takes the focus.
focus(ours);
// Not focused any more: its moves are not reported.
editor.rect = {x: 0, y: 0, width: 1000, height: 700};
editor.emit('position-changed');
// 4: the focus goes nowhere.
focus(null);
// Switched off, the extension reports nothing more and leaves no handler.
extension.disable();
focus(editor);
if (display.handlers.size !== 0 || editor.handlers.size !== 0)
    throw new Error('the extension left signal handlers connected');
