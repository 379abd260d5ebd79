#!/bin/bash
# The launcher and the quiz start each other on a virtual display: the
# quiz's tile, "Play" (the quiz's window opens, the launcher ends), the
# quiz's "menu" (the launcher comes back on the quiz's title screen, where
# the second name plate is picked as the current player and "Exit" then
# ends it).
# usage: round_trip.sh <laid-out launcher directory>
#        round_trip.sh --installed <command> <installed launcher directory>
# The first form plays on a copy of the tree; the second starts the
# launcher by its command from the home folder and plays on the installed
# tree itself. With ROUND_TRIP_PLATES=<file> the title screen's name plates,
# as they show before the pick, are saved there as a picture.
set -u
if [[ "${1:-}" == "--installed" ]]; then
  command=${2:?launcher command}
  dist=${3:?installed launcher directory}
else
  command=""
  dist=${1:?launcher directory}
fi
if [[ ! -x "$dist/Pavlora" || ! -x "$dist/Verimoo/Verimoo" ]]; then
  echo "programs not built: $dist" >&2
  exit 77
fi
if [[ -z "${ROUND_TRIP_INNER:-}" ]]; then
  ROUND_TRIP_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

if [[ -n "$command" ]]; then
  work=$dist
  first=$command
  scratch=$(mktemp -d)
else
  work=$(mktemp -d)
  first=./Pavlora
  scratch=$work
  # A copy of the tree of links, so that nothing the programs write lands in the build.
  cp -rs "$(cd "$dist" && pwd)/." "$work/"
  rm -f "$work/options.ini"
fi
started=()
cleanup() {
  for pid in "${started[@]}" $(pgrep -u "$(id -u)" -f "^$work/" || true); do kill "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "round trip: $*" >&2; exit 1; }
# Waits up to 20 s for a command to succeed.
wait_for() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
  return 1
}
window() { xdotool search --name "$1" 2>/dev/null | head -1; }
has_window() { [[ -n "$(window "$1")" ]]; }
running() { pgrep -u "$(id -u)" -f "^$1" > /dev/null; }
not_running() { ! running "$1"; }
# A click at (x, y) of the 800 x 600 picture of the window, held briefly.
click() {
  local w=$1 x=$2 y=$3
  xdotool mousemove --window "$w" "$x" "$y"; sleep 0.2
  xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.3
}

if [[ -n "$command" ]]; then
  cd ~ || fail "no home folder"
  "$command" > "$scratch/launcher.log" 2>&1 &
else
  cd "$work" || fail "no work directory"
  ./Pavlora > "$work/launcher.log" 2>&1 &
fi
started+=($!)
wait_for has_window "^Kelvane Pavlora$" || fail "the launcher's window did not open"
sleep 1
w=$(window "^Kelvane Pavlora$")
click "$w" 140 190   # the quiz's tile, slot 1
sleep 1
click "$w" 716 326   # "Play"
wait_for has_window "^Verimoo" || fail "the quiz's window did not open"
wait_for not_running "$first" || fail "the launcher did not end"
running "$work/Verimoo/Verimoo $work" || fail "the quiz was not given the launcher's directory"

sleep 1
q=$(window "^Verimoo")
click "$q" 655 555   # the quiz's "menu"
wait_for not_running "$work/Verimoo/Verimoo" || fail "the quiz did not end"
wait_for running "$work/Pavlora Verimoo" || fail "the launcher was not started with the quiz's name"
wait_for has_window "^Kelvane Pavlora$" || fail "the launcher's window did not come back"
sleep 1
w=$(window "^Kelvane Pavlora$")
if [[ -n "${ROUND_TRIP_PLATES:-}" ]]; then
  import -window "$w" -crop 330x170+234+374 +repage "$ROUND_TRIP_PLATES" || fail "no picture of the name plates"
fi
click "$w" 483 393   # the second name plate: the current player, saved at once
# "Exit" of the title screen; on the catalogue this place is an empty slot.
click "$w" 716 465
wait_for not_running "$work/Pavlora" || fail "the launcher did not open on the quiz's title screen"
echo "round trip: ok"
