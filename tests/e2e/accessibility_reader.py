#!/usr/bin/python3
"""Reads the launcher over AT-SPI as a screen reader does, and drives it.

Prints the tree of the open launcher, presses Right (xdotool) and prints the
focus event that follows, then opens the folder named in argv[1] through its
accessible action and prints the tree of the open folder. Every line the test
checks starts with a word and a colon; exits non-zero when a step fails.
Needs DISPLAY and the session bus of the program's AT-SPI bus.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STATES = {
    pyatspi.STATE_FOCUSED: "focused",
    pyatspi.STATE_SELECTED: "selected",
    pyatspi.STATE_EXPANDABLE: "expandable",
    pyatspi.STATE_EXPANDED: "expanded",
    pyatspi.STATE_MODAL: "modal",
}


def fail(message):
    print("failed: " + message, flush=True)
    sys.exit(1)


def position(node):
    """'row R column C' of a table cell, asked of its table as Orca does."""
    parent = node.parent
    try:
        table = parent.queryTable()
    except NotImplementedError:
        return ""
    index = node.getIndexInParent()
    return " row %d column %d" % (table.getRowAtIndex(index), table.getColumnAtIndex(index))


def describe(node):
    text = "%s %r" % (node.getRoleName(), node.name)
    if node.description:
        text += " (%s)" % node.description
    if node.getRole() == pyatspi.ROLE_TABLE_CELL:
        text += position(node)
    states = node.getState()
    marks = [word for state, word in STATES.items() if states.contains(state)]
    if marks:
        text += " [" + ", ".join(marks) + "]"
    try:
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if names:
            text += " actions: " + ", ".join(names)
    except NotImplementedError:
        pass
    return text


def dump(node, depth=0):
    print("  " * depth + describe(node), flush=True)
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def find(node, predicate):
    if predicate(node):
        return node
    for child in node:
        found = child is not None and find(child, predicate)
        if found:
            return found
    return None


def launcher_window():
    """The application's window named 应用启动器, once it has registered."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "vantor":
                for window in app:
                    if window is not None and window.name == "应用启动器":
                        return window
        time.sleep(0.2)
    fail("no window 应用启动器 of an application vantor on the AT-SPI bus")


def wait_for_focus(press):
    """Calls press(), then waits for the focus event on a table cell; returns it.

    Presses a second after listening starts, so the program has learnt that
    someone listens, and takes no event from before the press."""
    seen = []
    pressed = []
    loop = GLib.MainLoop()

    def on_event(event):
        focused = event.type.startswith("focus") or event.detail1 == 1
        if pressed and focused and event.source.getRole() == pyatspi.ROLE_TABLE_CELL:
            seen.append((event.type, describe(event.source)))
            loop.quit()

    def press_once():
        pressed.append(True)
        press()
        return False

    events = ("object:state-changed:focused", "focus:")
    pyatspi.Registry.registerEventListener(on_event, *events)
    GLib.timeout_add(1000, press_once)
    GLib.timeout_add(10000, loop.quit)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_event, *events)
    if not seen:
        fail("no focus event for a table cell")
    return seen[0]


def main():
    folder_name = sys.argv[1]
    window = launcher_window()
    print("tree of the launcher:", flush=True)
    dump(window)

    event_type, source = wait_for_focus(lambda: subprocess.run(["xdotool", "key", "Right"]))
    print("focus after Right: %s %s" % (event_type, source), flush=True)

    cell = find(window, lambda n: n.getRole() == pyatspi.ROLE_TABLE_CELL
                and n.name == "文件夹：" + folder_name)
    if cell is None:
        fail("no cell 文件夹：" + folder_name)
    action = cell.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))
    deadline = time.monotonic() + 10
    dialog = None
    while dialog is None and time.monotonic() < deadline:
        time.sleep(0.2)
        dialog = find(window, lambda n: n.getRole() == pyatspi.ROLE_DIALOG)
    if dialog is None:
        fail("no dialog after pressing the folder")
    print("folder cell after Press: " + describe(cell), flush=True)
    print("tree of the open folder:", flush=True)
    dump(dialog)


if __name__ == "__main__":
    main()
