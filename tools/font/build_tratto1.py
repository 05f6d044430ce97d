#!/usr/bin/python3
"""Builds data/tratto1.ttf, Ortolino's school cursive, from Debian's Ecolier Court.

Ecolier Court (Jean-Marie Douteau, SIL Open Font License 1.1, no reserved font
name) lacks the grave-accented i and o that Italian needs. The accented forms the
author drew with a circumflex already sit on the right base shape (the i without
its dot, with room for an accent), so each missing letter takes that glyph and
swaps its circumflex for the author's own grave accent, centred where the
circumflex stood. The family is renamed "Tratto1", the name the program asks for.

Ecolier Court draws its letters small in their em (an x-height of a quarter of
the em, against half an em in a print face) and declares vertical metrics that
disagree between its tables, so at the size of the print text a child read
tiny letters that the layout pushed to the top of their box and clipped. The
build scales every glyph so that the x-height matches the print face's at the
same point size, and declares one set of vertical metrics, the real extent of
the glyphs, in every table.

The licence text is written beside the font (tratto1-OFL.txt), taken from the
Debian package's copyright file so that it is the one the font came with.

Run with Debian's Python (python3-fontforge, fonts-ecolier-court):
    /usr/bin/python3 tools/font/build_tratto1.py [source.ttf] [output.ttf]
"""

import os
import sys

# A fixed date keeps the output identical from run to run.
os.environ.setdefault("SOURCE_DATE_EPOCH", "1700000000")

import fontforge  # noqa: E402  (must see SOURCE_DATE_EPOCH)
import psMat  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
SOURCE = "/usr/share/fonts/truetype/ecolier-court/Ecolier-court.ttf"
OUTPUT = os.path.join(REPO, "data", "tratto1.ttf")
DEBIAN_COPYRIGHT = "/usr/share/doc/fonts-ecolier-court/copyright"

# The print face whose x-height the cursive matches (Liberation Sans, the
# metric twin of Arial that the windows name).
PRINT_FACE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"

FAMILY = "Tratto1"
VERSION = "1.00"

# new glyph: (unicode, glyph with the circumflex on the right base, glyph giving the grave)
MISSING = {
    "igrave": (0x00EC, "icircumflex", "egrave"),
    "ograve": (0x00F2, "ocircumflex", "egrave"),
    "Igrave": (0x00CC, "Icircumflex", "Egrave"),
    "Ograve": (0x00D2, "Ocircumflex", "Egrave"),
}


def bounds(contour):
    xs = [p.x for p in contour]
    ys = [p.y for p in contour]
    return min(xs), min(ys), max(xs), max(ys)


def highest_contour(glyph):
    """The accent: the contour that starts highest above the letter."""
    return max(glyph.foreground, key=lambda c: bounds(c)[1])


def layer_without(glyph, excluded):
    layer = fontforge.layer()
    layer.is_quadratic = glyph.foreground.is_quadratic
    for contour in glyph.foreground:
        if contour is not excluded and bounds(contour) != bounds(excluded):
            layer += contour
    return layer


def add_grave_letter(font, name, code, circumflexed, graved):
    base = font[circumflexed]
    circumflex = highest_contour(base)
    grave = highest_contour(font[graved]).dup()

    cx0, _, cx1, _ = bounds(circumflex)
    gx0, _, gx1, _ = bounds(grave)
    grave.transform(psMat.translate((cx0 + cx1) / 2 - (gx0 + gx1) / 2, 0))

    letter = font.createChar(code, name)
    layer = layer_without(base, circumflex)
    layer += grave
    letter.foreground = layer
    letter.width = base.width
    letter.correctDirection()


def drop_stray_contours(font):
    """Removes outlines lying wholly below the deepest descender (the source's W
    carries a thin bar a whole em below the baseline, drawn under every W)."""
    deepest = font["g"].boundingBox()[1]
    for glyph in font.glyphs():
        strays = [c for c in glyph.foreground if bounds(c)[3] < deepest]
        if strays:
            for stray in strays:
                glyph.foreground = layer_without(glyph, stray)


def x_height(font):
    """Top of the lower-case x, in units of the em."""
    return font["x"].boundingBox()[3] / font.em


def scale_to_print(font):
    """Scales every glyph (outline and advance) so that the x-height is the print face's."""
    face = fontforge.open(PRINT_FACE)
    factor = x_height(face) / x_height(font)
    face.close()
    font.selection.all()
    font.transform(psMat.scale(factor), ("round",))
    return factor


# The characters a child meets in a word, a key or a name: their extent is the
# font's line (a rare symbol reaching further may be clipped, a letter never).
SHOWN = (
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "àèéìòùÀÈÉÌÒÙáíóúçñäöüßÄÖÜ0123456789'.,-!?"
)


def set_vertical_metrics(font):
    """One ascent and descent, the shown letters' real extent, in hhea, OS/2 typo and win."""
    boxes = [font[ord(c)].boundingBox() for c in SHOWN if ord(c) in font]
    top = max(box[3] for box in boxes)
    bottom = min(box[1] for box in boxes)
    ascent, descent = int(round(top)), int(round(-bottom))
    font.hhea_ascent, font.hhea_ascent_add = ascent, False
    font.hhea_descent, font.hhea_descent_add = -descent, False
    font.hhea_linegap = 0
    font.os2_typoascent, font.os2_typoascent_add = ascent, False
    font.os2_typodescent, font.os2_typodescent_add = -descent, False
    font.os2_typolinegap = 0
    font.os2_winascent, font.os2_winascent_add = ascent, False
    font.os2_windescent, font.os2_windescent_add = descent, False
    font.os2_use_typo_metrics = True
    font.os2_xheight = int(round(font["x"].boundingBox()[3]))
    font.os2_capheight = int(round(font["H"].boundingBox()[3]))


def rename(font):
    font.familyname = FAMILY
    font.fontname = FAMILY
    font.fullname = FAMILY
    font.version = VERSION
    font.copyright = (
        "Copyright (c) 2007, Jean-Marie Douteau (Ecolier Court). "
        "Accented i and o added for Ortolino."
    )
    for key, value in [
        ("Family", FAMILY),
        ("SubFamily", "Regular"),
        ("Fullname", FAMILY),
        ("PostScriptName", FAMILY),
        ("UniqueID", FAMILY + " " + VERSION + " Ortolino"),
        ("Version", "Version " + VERSION),
        ("Trademark", ""),
        ("Copyright", font.copyright),
        ("License", "This Font Software is licensed under the SIL Open Font License, Version 1.1."),
        ("License URL", "https://openfontlicense.org"),
        ("Descriptor", "Ecolier Court by Jean-Marie Douteau, renamed, with ì ò Ì Ò."),
    ]:
        font.appendSFNTName("English (US)", key, value)


def write_licence(output):
    """The OFL text as Debian ships it, under the notices of the renamed font."""
    with open(DEBIAN_COPYRIGHT, encoding="utf-8") as copyright_file:
        text = copyright_file.read()
    start = text.index("-----------------------------------------------------------\nSIL OPEN FONT")
    end = text.index("The Debian packaging")
    header = (
        "Tratto1, the school cursive font of Ortolino.\n\n"
        "Copyright (c) 2007, Jean-Marie Douteau (http://perso.orange.fr/jm.douteau/),\n"
        "author of Ecolier Court, from which Tratto1 is made.\n"
        "Modifications for Ortolino (the family renamed Tratto1; the letters\n"
        "i and o with the grave accent, upper and lower case, composed from\n"
        "the font's own glyphs): Copyright (c) the Ortolino developers.\n\n"
        "This Font Software is licensed under the SIL Open Font License, Version 1.1.\n"
        "This license is copied below, and is also available with a FAQ at:\n"
        "https://openfontlicense.org\n\n\n"
    )
    licence = os.path.splitext(output)[0] + "-OFL.txt"
    with open(licence, "w", encoding="utf-8") as licence_file:
        licence_file.write(header + text[start:end].rstrip() + "\n")
    print("wrote", licence)


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    output = sys.argv[2] if len(sys.argv) > 2 else OUTPUT
    font = fontforge.open(source)
    for name, (code, circumflexed, graved) in MISSING.items():
        if code not in font:
            add_grave_letter(font, name, code, circumflexed, graved)
    drop_stray_contours(font)
    factor = scale_to_print(font)
    print("scaled by %.3f" % factor)
    font.os2_version = 4
    set_vertical_metrics(font)
    rename(font)
    font.generate(output, flags=("opentype", "omit-instructions"))
    print("wrote", output)
    write_licence(output)


if __name__ == "__main__":
    main()
