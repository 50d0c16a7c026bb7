#!/usr/bin/env python3
"""Turns a terminal screen captured with `tmux capture-pane -e -p` into an SVG picture.

Only what a text screen needs: the 16 standard colours (foreground 30-37 and 90-97, background
40-47 and 100-107), default colours (39, 49), reset (0), bold (1) and reverse video (7). Text is
drawn cell by cell on a fixed grid, so the picture keeps the columns of the terminal whatever
monospace font the viewer has. The same capture always gives the same file.

Usage: ansi2svg.py [--columns N] [--title TEXT] < capture.txt > screen.svg
"""

import argparse
import re
import sys
from html import escape

# The classic console palette: the program's light grey, light red and black look as they do
# in a text console.
PALETTE = [
    "#000000", "#aa0000", "#00aa00", "#aa5500", "#0000aa", "#aa00aa", "#00aaaa", "#aaaaaa",
    "#555555", "#ff5555", "#55ff55", "#ffff55", "#5555ff", "#ff55ff", "#55ffff", "#ffffff",
]
DEFAULT_FG = 7
DEFAULT_BG = 0

FONT_SIZE = 14
CELL_WIDTH = 8.4  # 0.6 em, the advance of the usual monospace fonts
LINE_HEIGHT = 18
PADDING = 10

SGR = re.compile(r"\x1b\[([0-9;]*)m")
OTHER_ESCAPE = re.compile(r"\x1b\[[0-9;?]*[A-Za-ln-z]")


class Style:
    def __init__(self):
        self.reset()

    def reset(self):
        self.fg = DEFAULT_FG
        self.bg = DEFAULT_BG
        self.bold = False
        self.reverse = False

    def apply(self, parameters):
        codes = [int(code) if code else 0 for code in parameters.split(";")] if parameters else [0]
        index = 0
        while index < len(codes):
            code = codes[index]
            if code == 0:
                self.reset()
            elif code == 1:
                self.bold = True
            elif code == 22:
                self.bold = False
            elif code == 7:
                self.reverse = True
            elif code == 27:
                self.reverse = False
            elif 30 <= code <= 37:
                self.fg = code - 30
            elif 90 <= code <= 97:
                self.fg = code - 90 + 8
            elif code == 39:
                self.fg = DEFAULT_FG
            elif 40 <= code <= 47:
                self.bg = code - 40
            elif 100 <= code <= 107:
                self.bg = code - 100 + 8
            elif code == 49:
                self.bg = DEFAULT_BG
            elif code in (38, 48):
                # 256-colour and true-colour forms: skipped whole, the screen never uses them.
                index += 2 if index + 1 < len(codes) and codes[index + 1] == 5 else 4
            index += 1

    def colours(self):
        fg, bg = self.fg, self.bg
        if self.reverse:
            fg, bg = bg, fg
        return PALETTE[fg], PALETTE[bg], self.bold


def parse(text):
    """Returns the screen as rows of (character, foreground, background, bold) cells."""
    style = Style()
    rows = []
    for line in text.split("\n"):
        cells = []
        position = 0
        while position < len(line):
            match = SGR.match(line, position)
            if match:
                style.apply(match.group(1))
                position = match.end()
                continue
            match = OTHER_ESCAPE.match(line, position)
            if match:
                position = match.end()
                continue
            character = line[position]
            if character == "\t":
                # A capture holds no tabs, but a stray one must not shift the columns.
                character = " "
            cells.append((character,) + style.colours())
            position += 1
        rows.append(cells)
    while rows and not "".join(cell[0] for cell in rows[-1]).strip():
        rows.pop()
    return rows


def runs(cells, key):
    """Groups neighbouring cells with the same key into (start column, cells) runs."""
    start = 0
    while start < len(cells):
        end = start
        while end < len(cells) and key(cells[end]) == key(cells[start]):
            end += 1
        yield start, cells[start:end]
        start = end


def render(rows, columns, title):
    width = round(2 * PADDING + columns * CELL_WIDTH)
    height = round(2 * PADDING + max(len(rows), 1) * LINE_HEIGHT)
    out = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}" role="img" aria-label="{escape(title)}">',
        f"<title>{escape(title)}</title>",
        f'<rect width="100%" height="100%" fill="{PALETTE[DEFAULT_BG]}"/>',
        f'<g font-family="DejaVu Sans Mono, Menlo, Consolas, monospace" font-size="{FONT_SIZE}" '
        'xml:space="preserve">',
    ]
    for row_number, cells in enumerate(rows):
        top = PADDING + row_number * LINE_HEIGHT
        for start, run in runs(cells, key=lambda cell: cell[2]):
            if run[0][2] != PALETTE[DEFAULT_BG]:
                out.append(
                    f'<rect x="{PADDING + start * CELL_WIDTH:.1f}" y="{top}" '
                    f'width="{len(run) * CELL_WIDTH:.1f}" height="{LINE_HEIGHT}" fill="{run[0][2]}"/>'
                )
        baseline = top + LINE_HEIGHT - 5
        for start, run in runs(cells, key=lambda cell: (cell[1], cell[3])):
            text = "".join(cell[0] for cell in run)
            if not text.strip():
                continue
            weight = ' font-weight="bold"' if run[0][3] else ""
            # One positioned glyph per cell keeps the grid even where a font's advance differs.
            xs = " ".join(f"{PADDING + (start + i) * CELL_WIDTH:.1f}" for i in range(len(text)))
            out.append(f'<text x="{xs}" y="{baseline}" fill="{run[0][1]}"{weight}>{escape(text)}</text>')
    out.append("</g>")
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--columns", type=int, default=80, help="width of the terminal")
    parser.add_argument("--title", default="Terminal", help="title of the picture")
    arguments = parser.parse_args()
    rows = parse(sys.stdin.read())
    columns = max([arguments.columns] + [len(cells) for cells in rows])
    sys.stdout.write(render(rows, columns, arguments.title))


if __name__ == "__main__":
    main()
