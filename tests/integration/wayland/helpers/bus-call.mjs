// The session-bus calls of the desktop helpers, made for real with dbus-send
// (waiting for each answer), and the windows the helpers are shown.
import {execFileSync} from 'node:child_process';

// One method call with string arguments, passed on unchanged as KWin's
// callDBus and GLib's "(s)" variant pass them. A refused call is a failure.
export function call(service, path, iface, method, ...args) {
    execFileSync('dbus-send', ['--session', '--print-reply', `--dest=${service}`, path,
        `${iface}.${method}`, ...args.map(arg => `string:${arg}`)], {stdio: 'ignore'});
}

export function nameHasOwner(name) {
    const answer = execFileSync('dbus-send', ['--session', '--print-reply',
        '--dest=org.freedesktop.DBus', '/org/freedesktop/DBus',
        'org.freedesktop.DBus.NameHasOwner', `string:${name}`], {encoding: 'utf8'});
    return answer.includes('boolean true');
}

// A signal of Qt's kind (connect, disconnect) that the test fires.
export class Signal {
    constructor() {
        this.slots = [];
    }

    connect(slot) {
        this.slots.push(slot);
    }

    disconnect(slot) {
        this.slots = this.slots.filter(s => s !== slot);
    }

    emit(...args) {
        for (const slot of [...this.slots])
            slot(...args);
    }
}

export const ownProcess = Number(process.env.QUORBEL_OWN_PID);
