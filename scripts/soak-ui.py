#!/usr/bin/env python3
"""Where scripts/soak clicks.

  soak-ui.py rect <file.ui> <widget>   the widget's "x y width height" in its
                                       window, adding up its parents' offsets
  soak-ui.py button <shot.ppm>         "x y" of the centre of the push button
                                       at the bottom right of a laid-out
                                       window (the download window), found in
                                       a screenshot of that window
"""

import sys
import xml.etree.ElementTree as ElementTree


def widget_rect(ui_file, name):
    root = ElementTree.parse(ui_file).getroot()
    top = root.find("widget")

    def geometry(widget):
        rect = widget.find("property[@name='geometry']/rect")
        if rect is None:
            return None
        return [int(rect.find(k).text) for k in ("x", "y", "width", "height")]

    # Depth first, keeping the offset of the parents; the window's own x/y is
    # where the designer put it, not part of the children's offsets.
    def search(widget, dx, dy):
        for child in widget.findall("widget"):
            rect = geometry(child)
            if rect is None:
                continue
            x, y = dx + rect[0], dy + rect[1]
            if child.get("name") == name:
                return x, y, rect[2], rect[3]
            found = search(child, x, y)
            if found:
                return found
        return None

    found = search(top, 0, 0)
    if not found:
        sys.exit("soak-ui: no widget %s with a geometry in %s" % (name, ui_file))
    return found


def read_ppm(path):
    with open(path, "rb") as image:
        data = image.read()
    fields = []
    position = 0
    # "P6 <width> <height> <max>" then one byte of white space, then RGB rows.
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        sys.exit("soak-ui: %s is not an 8-bit P6 image" % path)
    width, height = int(fields[1]), int(fields[2])
    pixels = data[position + 1:position + 1 + width * height * 3]
    return width, height, pixels


def button_centre(path):
    width, height, pixels = read_ppm(path)

    def pixel(x, y):
        at = (y * width + x) * 3
        return pixels[at:at + 3]

    # The layout's margins are plain window background.
    background = pixel(width - 1, height - 1)

    def marked(x, y):
        return pixel(x, y) != background

    # Only the spacer and the button share the bottom row of the layout, so
    # the lowest marked row in the right half is the button's lower edge.
    half = width // 2
    for bottom in range(height - 1, height // 2, -1):
        xs = [x for x in range(half, width) if marked(x, bottom)]
        if xs:
            break
    else:
        sys.exit("soak-ui: no button at the bottom right of %s" % path)
    # The button's lower edge is one unbroken line; text is not.
    right = left = xs[-1]
    while left - 1 >= half and marked(left - 1, bottom):
        left -= 1
    # Up the button's right edge to its top.
    top = bottom
    while top > 0 and marked(right, top - 1):
        top -= 1
    if right - left < 20 or bottom - top < 10:
        sys.exit("soak-ui: what lies at the bottom right of %s (%dx%d) is no button"
                 % (path, right - left + 1, bottom - top + 1))
    return (left + right) // 2, (top + bottom) // 2


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "rect":
        print(*widget_rect(sys.argv[2], sys.argv[3]))
    elif len(sys.argv) == 3 and sys.argv[1] == "button":
        print(*button_centre(sys.argv[2]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
