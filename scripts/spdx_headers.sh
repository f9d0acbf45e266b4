#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the copyright and licence lines at the top of every source and script
# file of the checkout that lacks them, as a comment in the file's own syntax
# (after a "#!" line). A file that has them is left as it is, so running the
# script again changes nothing. Files that take no comment, or whose readers
# are better left without one (pictures, documents, data), are covered by
# .reuse/dep5 instead; `reuse lint` checks both.
#   scripts/spdx_headers.sh          add the lines where they are missing
#   scripts/spdx_headers.sh --check  list the files that lack them; status 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."

# Put together here so that the lines of this script are not taken for tags.
tag=SPDX
copyright_line="$tag-FileCopyrightText: 2026 Wayrunner Track developers"
licence_line="$tag-License-Identifier: GPL-3.0-or-later"

check=0
[ "${1:-}" = --check ] && check=1

# The comment lead of a file's syntax; nothing for a file that gets no lines.
lead_for() {
  case "$1" in
    *.cpp | *.h | *.h.in) echo "//" ;;
    *.sh | */CMakeLists.txt | CMakeLists.txt | *.cmake | *.bash-completion) echo "#" ;;
  esac
}

missing=0
while IFS= read -r -d '' file; do
  lead=$(lead_for "$file")
  [ -n "$lead" ] || continue
  [ -f "$file" ] || continue
  head -n 5 "$file" | grep -q "$tag-License-Identifier:" && continue
  missing=$((missing + 1))
  if ((check)); then
    echo "$file"
    continue
  fi
  header="$lead $copyright_line"$'\n'"$lead $licence_line"$'\n'
  tmp=$(mktemp "$file.XXXXXX")
  {
    if [ "$(head -c 2 "$file")" = "#!" ]; then
      head -n 1 "$file"
      printf '%s\n' "$header"
      tail -n +2 "$file"
    else
      printf '%s\n' "$header"
      cat "$file"
    fi
  } >"$tmp"
  chmod --reference="$file" "$tmp"
  mv "$tmp" "$file"
done < <(git ls-files -z)

if ((check)); then
  ((missing == 0)) || exit 1
elif ((missing)); then
  echo "Added the lines to $missing files."
fi
