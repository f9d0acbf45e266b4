#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The translation files and the texts of the code.

  translations.py update [--lupdate PATH]
      Reads every text marked for translation in src/ into each
      translations/wayrunner_LANG.ts: new texts are added unfinished, texts
      the code no longer has are dropped. Run after changing texts, then
      translate the unfinished entries (Qt Linguist, or any editor).
  translations.py check [--lupdate PATH]
      Fails when a .ts file lacks a text the code has, or holds an
      unfinished entry.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TS_DIR = os.path.join(ROOT, "translations")
# The core marks its texts with its own macro (protocol/message.h).
LUPDATE_OPTIONS = ["-silent", "-locations", "none", "-no-ui-lines", "-extensions", "cpp,h",
                   "-tr-function-alias", "QT_TRANSLATE_NOOP+=WR_TRANSLATE_NOOP"]


def lupdate_path(given):
    if given:
        return given
    for candidate in ("/usr/lib/qt6/bin/lupdate", shutil.which("lupdate6") or "",
                      shutil.which("lupdate") or ""):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    sys.exit("translations: lupdate not found (Debian package qt6-l10n-tools)")


def ts_files():
    return sorted(os.path.join(TS_DIR, f) for f in os.listdir(TS_DIR)
                  if f.startswith("wayrunner_") and f.endswith(".ts"))


def run_lupdate(lupdate, ts, extra=()):
    subprocess.run([lupdate, *LUPDATE_OPTIONS, *extra, os.path.join(ROOT, "src"), "-ts", ts],
                   check=True, cwd=ROOT)


def messages(ts):
    """(context, source, comment) -> (finished, obsolete) of every entry."""
    out = {}
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "unfinished"
            key = (name, message.findtext("source") or "", message.findtext("comment") or "")
            out[key] = (kind == "", kind in ("obsolete", "vanished"))
    return out


def check(lupdate, allow_unfinished):
    problems = []
    with tempfile.TemporaryDirectory() as work:
        code_ts = os.path.join(work, "code.ts")
        run_lupdate(lupdate, code_ts)
        code = messages(code_ts)
        for ts in ts_files():
            have = messages(ts)
            name = os.path.relpath(ts, ROOT)
            for key in sorted(code):
                if key not in have or have[key][1]:
                    problems.append(f"{name}: lacks [{key[0]}] {key[1]!r}")
                elif not have[key][0] and not allow_unfinished:
                    problems.append(f"{name}: unfinished [{key[0]}] {key[1]!r}")
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"translations: {len(problems)} problems; run scripts/translations.py update "
              "and translate the unfinished entries", file=sys.stderr)
        return 1
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("action", choices=["update", "check"])
    parser.add_argument("--lupdate")
    parser.add_argument("--allow-unfinished", action="store_true")
    args = parser.parse_args()
    lupdate = lupdate_path(args.lupdate)
    if args.action == "check":
        return check(lupdate, args.allow_unfinished)
    for ts in ts_files():
        run_lupdate(lupdate, ts, ["-no-obsolete"])
    return 0


if __name__ == "__main__":
    sys.exit(main())
