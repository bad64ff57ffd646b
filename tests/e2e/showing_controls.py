#!/usr/bin/python3
"""Prints what a screen reader announces for the showing buttons and text boxes
of the program with the given process id, one "role: name" a line, sorted.
Reads them from outside through AT-SPI: Debian's python3-pyatspi, which only
/usr/bin/python3 has, and a session bus that starts the accessibility bus."""
import sys

import pyatspi

ROLES = {pyatspi.ROLE_PUSH_BUTTON: "button", pyatspi.ROLE_TEXT: "text", pyatspi.ROLE_ENTRY: "text"}
found = []
todo = [app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.get_process_id() == int(sys.argv[1])]
while todo:
    node = todo.pop()
    if node.getState().contains(pyatspi.STATE_SHOWING):
        if node.getRole() in ROLES:
            found.append(f"{ROLES[node.getRole()]}: {node.name}")
        todo.extend(child for child in node if child is not None)
print("\n".join(sorted(found)))
