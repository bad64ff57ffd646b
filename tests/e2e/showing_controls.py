#!/usr/bin/python3
"""showing_controls.py PID LINE...: waits until a screen reader, asking through AT-SPI,
finds exactly these "role: name" lines for the program's showing buttons and text boxes.
Needs Debian's python3-pyatspi (only /usr/bin/python3 has it) and a session bus."""
import sys
import time

import pyatspi

ROLES = {pyatspi.ROLE_PUSH_BUTTON: "button", pyatspi.ROLE_TEXT: "text", pyatspi.ROLE_ENTRY: "text"}
found = []
for _ in range(60):  # the program joins the accessibility bus a moment after its window shows
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clearCache()  # names and states change while we watch
    found, todo = [], [app for app in desktop if app is not None and app.get_process_id() == int(sys.argv[1])]
    try:
        while todo:
            node = todo.pop()
            if node.getState().contains(pyatspi.STATE_SHOWING):
                found += [f"{ROLES[node.getRole()]}: {node.name}"] if node.getRole() in ROLES else []
                todo.extend(child for child in node if child is not None)
    except Exception:  # a control went away in the middle of the walk: look again
        pass
    if sorted(found) == sorted(sys.argv[2:]):
        sys.exit(0)
    time.sleep(0.25)
sys.exit(f"found {sorted(found)}")
