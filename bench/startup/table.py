#!/usr/bin/python3
"""Prints the start-up figures of the game and the bare window as a Markdown
table, with the targets and whether the game meets them.

    /usr/bin/python3 table.py GAME BARE [SILENT_GAME BARE_WITH_CONTROLS]

Each file holds one launch a line, as measure.py prints it. The last two, where
given, are shown beside the others (start-up and memory only) to tell where the
game's difference from the bare window comes from.
"""

import statistics
import sys

# Label, number format, and the highest game/bare ratio of the medians; None:
# the game must spend no CPU at all while idle, in any launch.
FIGURES = [
    ("Launch to map, ms", "{:.1f}", 1.10),
    ("Resident memory, MiB", "{:.1f}", 1.25),
    ("Idle CPU, ms per 5 s", "{:.0f}", None),
]


def read(path):
    with open(path) as lines:
        rows = [[float(value) for value in line.split()] for line in lines if line.strip()]
    return list(zip(*rows))


def spread(values, form):
    return f"{form.format(statistics.median(values))} ({form.format(min(values))}–{form.format(max(values))})"


def main():
    game, bare = read(sys.argv[1]), read(sys.argv[2])
    causes = [read(path) for path in sys.argv[3:5]]
    rows = [["Figure", "Game", "Bare window", "Game/bare", "Target", "Met"]
            + ["Game, no sound module", "Bare + 16 controls"][:len(causes)]]
    for column, (label, form, limit) in enumerate(FIGURES):
        game_median, bare_median = statistics.median(game[column]), statistics.median(bare[column])
        ratio = game_median / bare_median if bare_median > 0 else None
        if limit is None:
            target, met = "0 ms", max(game[column]) == 0
        else:
            target, met = f"≤ {limit:.2f}×", ratio is not None and ratio <= limit
        rows.append([label, spread(game[column], form), spread(bare[column], form),
                     "–" if ratio is None else f"{ratio:.2f}×", target, "yes" if met else "no"]
                    + [spread(cause[column], form) if limit else "–" for cause in causes])

    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    for index, row in enumerate(rows):
        print("| " + " | ".join(cell.ljust(width) for cell, width in zip(row, widths)) + " |")
        if index == 0:
            print("|" + "|".join("-" * (width + 2) for width in widths) + "|")


if __name__ == "__main__":
    main()
