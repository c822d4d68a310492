"""An SVG figure saved by the window program (File > Save Figure...): XML
that parses, with the picture embedded as a PNG whose pixels are exactly
the image area of the window's own TIFF save of the same picture, the
axes' ticks, a colour key, and a description that is the lumo command
making the figure again.

    checkfigure.py FILE.svg WINDOWTIFF
"""
import base64
import io
import sys
import xml.etree.ElementTree as ET

from PIL import Image

import screen

SVG = "{http://www.w3.org/2000/svg}"


def main():
    path, windowtiff = sys.argv[1:3]
    root = ET.parse(path).getroot()
    groups = {g.get("id"): g for g in root.iter(SVG + "g") if g.get("id")}
    for name in ("picture", "xticks", "yticks", "phasekey", "moduluskey", "title"):
        if name not in groups:
            screen.fail("%s has no %s" % (path, name))
    href = groups["picture"].find(SVG + "image").get("{http://www.w3.org/1999/xlink}href")
    picture = Image.open(io.BytesIO(base64.b64decode(href.split(",", 1)[1]))).convert("RGB")
    window = Image.open(windowtiff).convert("RGB")
    area = window.crop((0, 0) + picture.size)
    if picture.tobytes() != area.tobytes():
        screen.fail("the figure's picture is not the window's picture")
    desc = root.find(SVG + "desc").text
    if not desc.startswith("lumo render ") or "--figure" not in desc:
        screen.fail("the figure's description is not its command: %s" % desc)
    print("%s: %d x %d picture, %d x ticks, key, '%s'" % (
        path, picture.size[0], picture.size[1], len(groups["xticks"].findall(SVG + "line")),
        groups["title"].find(SVG + "text").text))


if __name__ == "__main__":
    main()
