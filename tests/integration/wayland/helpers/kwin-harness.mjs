// Runs QuorbelU's KWin script as KWin 6 (or, with "5", KWin 5) would, with
// a workspace whose windows the test moves and activates: the script's calls
// go over the session bus to the program's listener.
//   node kwin-harness.mjs <script.js> [5]
import {readFileSync} from 'node:fs';
import vm from 'node:vm';

import {Signal, call, ownProcess} from './bus-call.mjs';

const [script, version] = process.argv.slice(2);
const kwin5 = version === '5';

function makeWindow(id, pid, caption, resourceClass, frame) {
    return {internalId: id, pid, caption, resourceClass, frameGeometry: frame,
        frameGeometryChanged: new Signal()};
}

const editor = makeWindow('{3f0e-editor}', 4242, 'Song - Ed', 'org.example.ed',
    {x: -1279.5, y: 40, width: 800, height: 600});
const ours = makeWindow('{3f0e-ours}', ownProcess, 'Quorbel - Default', 'quorbelu',
    {x: 100, y: 100, width: 1015, height: 560});
const activated = new Signal();
const workspace = {virtualScreenGeometry: {x: -1280, y: 0, width: 3200, height: 1080}};
if (kwin5) {
    workspace.clientActivated = activated;
    workspace.activeClient = editor;
} else {
    workspace.windowActivated = activated;
    workspace.activeWindow = editor;
}
const callDBus = (service, path, iface, method, ...args) =>
    call(service, path, iface, method, ...args);

// 1: the window in front when the script starts.
vm.runInNewContext(readFileSync(script, 'utf8'), {workspace, callDBus});
// 2: it moves.
editor.frameGeometry = {x: 20, y: 30, width: 800, height: 600};
editor.frameGeometryChanged.emit(editor, {x: -1279.5, y: 40, width: 800, height: 600});
// 3: the program's own window comes to the front.
activated.emit(ours);
// Not in front any more: its moves are not reported.
editor.frameGeometry = {x: 500, y: 500, width: 800, height: 600};
editor.frameGeometryChanged.emit(editor, {x: 20, y: 30, width: 800, height: 600});
// 4: no window in front.
activated.emit(null);
