#!/usr/bin/python3
"""text_queries.py PID: asks the program's letter box over AT-SPI all a screen reader asks of a text at every
offset. Fails on an answer slower than 3 s or whose text is not the one between its offsets; prints the
number of answers, the slowest and, last, the text of the box."""
import sys
import time

import pyatspi

for _ in range(60):  # the program joins the accessibility bus a moment after its window shows
    apps = [app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.get_process_id() == int(sys.argv[1])]
    box = apps and pyatspi.findDescendant(apps[0], lambda node: node.name == "Ihre Eingabe")
    if box:
        break
    time.sleep(0.25)
content = (text := box.queryText()).getText(0, -1)
boundaries = [getattr(pyatspi, "TEXT_BOUNDARY_" + kind) for kind in "CHAR WORD_START WORD_END SENTENCE_START SENTENCE_END LINE_START LINE_END".split()]
slowest, asked = 0.0, 0
for offset in range(-1, len(content) + 2):
    for query, argument in [(query, boundary) for query in (text.getTextBeforeOffset, text.getTextAtOffset, text.getTextAfterOffset)
                            for boundary in boundaries] + [(text.getAttributeRun, False), (text.getCharacterExtents, 0)]:
        start = time.monotonic()
        answer = query(offset, argument)
        slowest, asked = max(slowest, time.monotonic() - start), asked + 1
        wrong = query.__name__.startswith("getText") and 0 <= offset <= len(content) and answer[0] != content[answer[1]:answer[2]]
        if slowest > 3 or wrong:
            sys.exit(f"{query.__name__}({offset}, {argument}) gave {answer} in {slowest:.1f} s")
print(f"{asked} answers, the slowest in {slowest * 1000:.0f} ms\n{content}")
