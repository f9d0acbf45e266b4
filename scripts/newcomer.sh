#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Follows the README as someone new to the project would: clones this
# checkout's committed state into a fresh temporary folder, with a home
# folder of its own, and there runs the commands of the README's sh blocks
# in order. `scripts/run.sh --simulate` builds (sharing the compiler cache)
# and starts the window, offscreen; it is checked to keep running against the
# simulated unit and then stopped. Every other command is run and checked for
# its documented exit status. wayrunner-cli commands that need a unit get
# the simulated units (--simulate, or as many as the command needs for its
# --device or --count) unless they name --simulate themselves. Commands
# that need root or change the machine (sudo, scripts/package.sh) and the
# whole test suite (scripts/test.sh, run on its own) are listed as not run.
#   scripts/newcomer.sh [--keep]    --keep leaves the temporary folder
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
keep=0
[ "${1:-}" = --keep ] && keep=1

work=$(mktemp -d "${TMPDIR:-/tmp}/newcomer.XXXXXX")
window_pid=
cleanup() {
  [ -n "$window_pid" ] && kill "$window_pid" 2>/dev/null
  if ((keep)); then echo "Left in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# The compiler cache is found through the real home folder; keep it.
if command -v ccache >/dev/null; then
  CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
  export CCACHE_DIR
fi
export HOME=$work/home
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME WAYRUNNER_DATA_DIR

git clone -q "$source_dir" "$work/checkout" || { echo "FAIL: git clone"; exit 1; }
cd "$work/checkout" || exit 1
echo "Cloned $(git log -1 --format='%h %s') into $work/checkout"

passed=0
failed=0
not_run=()
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# The commands, in the order of the README, without their comments.
mapfile -t commands < <(awk '
  /^ *```sh *$/ { inside = 1; print "#block"; next }
  /^ *```/ { inside = 0; next }
  inside {
    line = $0
    sub(/^ +/, "", line)
    sub(/ +# .*$/, "", line)
    if (line != "") print line
  }' README.md)
[ "${#commands[@]}" -gt 10 ] || { echo "FAIL: found only ${#commands[@]} commands in README.md"; exit 1; }

# ---- the window
started=0
for command in "${commands[@]}"; do
  [ "$command" = "scripts/run.sh --simulate" ] || continue
  started=1
  echo "== $command (offscreen)"
  QT_QPA_PLATFORM=offscreen scripts/run.sh --simulate >"$work/window.log" 2>&1 &
  window_pid=$!
  # scripts/run.sh builds, then becomes the program.
  while kill -0 "$window_pid" 2>/dev/null &&
        [ "$(readlink "/proc/$window_pid/exe" 2>/dev/null)" != "$PWD/build/default/wayrunner-track" ]; do
    sleep 1
  done
  # Up and talking to the simulated unit for a while: not ended by itself.
  for _ in 1 2 3 4 5; do
    kill -0 "$window_pid" 2>/dev/null || break
    sleep 1
  done
  if kill -0 "$window_pid" 2>/dev/null; then
    kill "$window_pid"
    wait "$window_pid" 2>/dev/null
    window_pid=
    echo "   the window ran against the simulated unit and was stopped"
    passed=$((passed + 1))
    # The Network Wizard's operator presets, beside the program.
    [ -f build/default/Settings.ini ] || fail "no Settings.ini beside build/default/wayrunner-track"
  else
    wait "$window_pid"
    fail "$command ended by itself (status $?):"
    tail -20 "$work/window.log"
    window_pid=
  fi
  break
done
((started)) || fail "the README does not start the window with scripts/run.sh --simulate"

# ---- every other command
# As many simulated units as the command needs, unless it chooses itself.
simulated() {
  local previous='' argument
  for argument in "$@"; do
    case $argument in --simulate*) return ;; esac
  done
  for argument in "$@"; do
    [ "$previous" = --count ] && { echo "--simulate=$argument"; return; }
    previous=$argument
  done
  for argument in "$@"; do
    [ "$argument" = --device ] && { echo "--simulate=8"; return; }
  done
  echo "--simulate"
}
wayrunner-cli() {
  local program
  program=$(type -P wayrunner-cli) || { echo "wayrunner-cli: command not found" >&2; return 127; }
  # shellcheck disable=SC2046
  timeout 300 "$program" $(simulated "$@") "$@" </dev/null
}
export EDITOR=true
# "new.fw" of the README's examples: the example file the build makes.
example_fw=build/default/examples/simulated-unit-1.004.fw

checkout=$PWD
for command in "${commands[@]}"; do
  case $command in
    # Each of the README's blocks starts in the checkout.
    "#block") cd "$checkout" || exit 1; continue ;;
    "scripts/run.sh --simulate") continue ;;
    # The benches of the example inventory are the reader's own machines.
    *" -i inventory.yml "*) not_run+=("$command"); continue ;;
    scripts/test.sh | scripts/package.sh | sudo\ * | *"&& sudo "*)
      # Not run; a file such a command copies must be there all the same.
      for word in $command; do
        case $word in build/default/*) [ -e "$word" ] || fail "$command: $word does not exist" ;; esac
      done
      not_run+=("$command")
      continue ;;
  esac
  want=0
  case $command in
    # Asks first, and no one is there to answer: refused, nothing sent.
    "wayrunner-cli upgrade new.fw") want=2; cp "$example_fw" new.fw 2>/dev/null ;;
    # The profile may differ from a unit other than the one it came from.
    *" profile diff "*) want="0 1" ;;
  esac
  echo "== $command"
  eval "$command" >"$work/out" 2>"$work/err"
  rc=$?
  if [[ " $want " == *" $rc "* ]]; then
    passed=$((passed + 1))
  else
    fail "$command: exit $rc, want $want"
    sed 's/^/   /' "$work/out" "$work/err" | tail -20
  fi
done

echo
echo "Not run: ${#not_run[@]} commands (root, the machine's packages, the whole suite, or the benches of your own inventory):"
printf '  %s\n' "${not_run[@]}"
echo "newcomer: $passed commands passed, $failed failed, ${#not_run[@]} not run"
((failed == 0))
