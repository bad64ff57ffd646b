#!/usr/bin/python3
"""text_queries.py PID: asks the program's letter box, through AT-SPI, everything a screen
reader asks of a text: the text before, at and after every offset for every kind of boundary,
the character and its place there, and the run of attributes. Fails if an answer does not
come within a second or its text is not the one between the offsets it names; prints how
many questions were answered, the slowest answer and, last, the text of the box."""
import sys
import time

import pyatspi

BOUNDARIES = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
              pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
              pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]


def letter_box(pid):
    for _ in range(60):  # the program joins the accessibility bus a moment after its window shows
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                box = pyatspi.findDescendant(app, lambda node: node.name == "Ihre Eingabe")
                if box is not None:
                    return box.queryText()
        time.sleep(0.25)
    sys.exit("the letter box is not to be found")


text = letter_box(int(sys.argv[1]))
content = text.getText(0, -1)
slowest, asked = 0.0, 0
for offset in range(-1, len(content) + 2):
    questions = [(query, boundary) for query in (text.getTextBeforeOffset, text.getTextAtOffset, text.getTextAfterOffset)
                 for boundary in BOUNDARIES]
    questions += [(text.getAttributeRun, False), (text.getCharacterAtOffset, None), (text.getCharacterExtents, 0)]
    for query, argument in questions:
        start = time.monotonic()
        answer = query(offset) if argument is None else query(offset, argument)
        slowest, asked = max(slowest, time.monotonic() - start), asked + 1
        if slowest > 1:
            sys.exit(f"{query.__name__}({offset}, {argument}) took {slowest:.1f} s")
        if query.__name__.startswith("getText") and 0 <= offset <= len(content) and answer[0] != content[answer[1]:answer[2]]:
            sys.exit(f"{query.__name__}({offset}, {argument}) gave {answer}")
print(f"{asked} questions answered, the slowest in {slowest * 1000:.0f} ms")
print(content)
