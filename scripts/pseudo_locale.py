#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the pseudo-translation the checks run under from a translation file.

Every source text becomes "[" + the text with accented letters + "~" padding
+ "]", about 40 % longer than the English: a text that shows no brackets
escaped translation, and a layout that holds it holds longer languages. The
placeholders (%1, %n, %L1), the letter after an & (its Alt key), rich-text tags
and entities are kept as they are.

Usage: pseudo_locale.py SOURCE.ts OUTPUT.ts
"""
import re
import sys
import xml.etree.ElementTree as ET

ACCENTED = dict(zip(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "áƀçđéƒĝĥîĵķĺɱñöþǫŕšţûṽŵẋýžÅƁÇĐÉƑĜĤÎĴĶĹṀÑÖÞǪŔŠŢÛṼŴẊÝŽ"))

# Kept as they are: placeholders, an & and its key (or && ), tags, entities.
KEPT = re.compile(r"%L?\d|%n|&&|&[A-Za-z#0-9]+;|&.|<[^>]*>", re.DOTALL)


def pseudo(text: str) -> str:
    out, last = [], 0
    for match in KEPT.finditer(text):
        out.append("".join(ACCENTED.get(c, c) for c in text[last:match.start()]))
        out.append(match.group(0))
        last = match.end()
    out.append("".join(ACCENTED.get(c, c) for c in text[last:]))
    padding = max(1, round(len(text) * 0.4) - 2)
    return "[" + "".join(out) + " " + "~" * padding + "]"


def main() -> int:
    source, output = sys.argv[1:3]
    tree = ET.parse(source)
    root = tree.getroot()
    root.set("language", "en")
    for message in root.iter("message"):
        text = message.findtext("source") or ""
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        translation.attrib.clear()
        for child in list(translation):
            translation.remove(child)
        if message.get("numerus") == "yes":
            translation.text = None
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = pseudo(text)
        else:
            translation.text = pseudo(text)
    tree.write(output, encoding="utf-8", xml_declaration=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
