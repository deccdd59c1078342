// Tells QuorbelU which window is in front on KDE Plasma: its process, title,
// class and frame, each time another window comes to the front and each time
// the one in front moves or changes size. QuorbelU loads this script into
// KWin over D-Bus when it starts and unloads it when it ends; the report is
// one JSON text handed to QuorbelU's WindowActivated method. Written for the
// scripting of KWin 6 (windowActivated, activeWindow) and of KWin 5
// (clientActivated, activeClient).
"use strict";

const service = "org.quorbel.QuorbelU";
const path = "/org/quorbel/QuorbelU/Windows";
const iface = "org.quorbel.QuorbelU.Windows";

let followed = null;

function box(rect) {
  return rect ? { x: rect.x, y: rect.y, width: rect.width, height: rect.height } : undefined;
}

function report() {
  const message = { window: "", screen: box(workspace.virtualScreenGeometry) };
  const window = followed;
  if (window) {
    const frame = window.frameGeometry || window.geometry;
    // The process joins KWin's id, so that two windows are never taken for
    // one even where a KWin gives no id.
    message.window = String(window.internalId) + "/" + window.pid;
    message.pid = window.pid > 0 ? window.pid : null;
    message.title = String(window.caption || "");
    message.class = String(window.resourceClass || "");
    message.x = frame.x;
    message.y = frame.y;
    message.width = frame.width;
    message.height = frame.height;
  }
  callDBus(service, path, iface, "WindowActivated", JSON.stringify(message));
}

function follow(window) {
  if (followed && followed.frameGeometryChanged) {
    try {
      followed.frameGeometryChanged.disconnect(report);
    } catch (gone) {
      // The window closed; its signals went with it.
    }
  }
  followed = window || null;
  if (followed && followed.frameGeometryChanged) followed.frameGeometryChanged.connect(report);
  report();
}

(workspace.windowActivated || workspace.clientActivated).connect(follow);
follow(workspace.activeWindow || workspace.activeClient);
