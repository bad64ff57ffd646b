#!/usr/bin/python3
"""Waits until a screen reader, asking from outside through AT-SPI, finds the
given "role: name" lines for the showing buttons and text boxes of the program
with the given process id, and no others; exits 1 if it never does.
    /usr/bin/python3 showing_controls.py PID LINE...
Needs Debian's python3-pyatspi (only /usr/bin/python3 has it) and a session bus."""
import sys
import time

import pyatspi

ROLES = {pyatspi.ROLE_PUSH_BUTTON: "button", pyatspi.ROLE_TEXT: "text", pyatspi.ROLE_ENTRY: "text"}


def showing(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clearCache()  # names and states change while we watch
    found, todo = [], [app for app in desktop if app is not None and app.get_process_id() == pid]
    while todo:
        node = todo.pop()
        if node.getState().contains(pyatspi.STATE_SHOWING):
            found += [f"{ROLES[node.getRole()]}: {node.name}"] if node.getRole() in ROLES else []
            todo.extend(child for child in node if child is not None)
    return sorted(found)


for _ in range(60):  # the program joins the accessibility bus a moment after its window shows
    try:
        if showing(int(sys.argv[1])) == sorted(sys.argv[2:]):
            sys.exit(0)
    except Exception:  # a control went away in the middle of the walk: look again
        pass
    time.sleep(0.25)
print(showing(int(sys.argv[1])))
sys.exit(1)
