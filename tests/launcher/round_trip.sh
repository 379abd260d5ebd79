#!/bin/bash
# The launcher and the quiz start each other on a virtual display: the quiz's
# tile, "Play" (the quiz opens, the launcher ends), the quiz's "menu" (the
# launcher comes back on the quiz's title screen, where the second name plate
# is picked and "Exit" ends it); with "keys" the same by keyboard, with T, F,
# P, Space and F11 (twice) in the quiz. ROUND_TRIP_PLATES=<file> saves the
# name plates as they show before the pick.
# usage: round_trip.sh <laid-out launcher directory> [mouse|keys]   (plays on a copy)
#        round_trip.sh --installed <command> <installed launcher directory> [mouse|keys]
set -u
if [[ "${1:-}" == "--installed" ]]; then
  command=${2:?launcher command}
  dist=${3:?installed launcher directory}
  mode=${4:-mouse}
else
  command=""
  dist=${1:?launcher directory}
  mode=${2:-mouse}
fi
if [[ ! -x "$dist/Pavlora" || ! -x "$dist/Verimoo/Verimoo" ]]; then
  echo "programs not built: $dist" >&2
  exit 1
fi
# One round trip at a time on the machine: two test runs at once take turns
# here rather than crowd the displays (a busy display was seen to refuse a
# program's first connection now and then).
lock=/tmp/pavlora-round-trip.lock
[[ -e $lock ]] || (umask 0 && : > "$lock") 2> /dev/null
exec 9< "$lock"
flock -w 100 9 || { echo "round trip: another round trip held the display lock for 100 s" >&2; exit 1; }
started=()
# A virtual display of our own, at a number picked at random and held by
# the server's lock file. (Servers started with -displayfd keep no lock
# file; with two runs side by side, one run's quiz was seen to find no
# display.)
display=""
for _ in $(seq 20); do
  n=$((100 + RANDOM % 900))
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp 2> /dev/null &
  xvfb=$!
  for _ in $(seq 100); do
    kill -0 "$xvfb" 2> /dev/null || break   # another server took the number first
    # It answers, and is still running a moment later: the number is ours.
    if DISPLAY=":$n" xdotool getdisplaygeometry > /dev/null 2>&1 && sleep 0.2 &&
      kill -0 "$xvfb" 2> /dev/null; then
      display=":$n"
      break
    fi
    sleep 0.1
  done
  [[ -n "$display" ]] && break
  kill "$xvfb" 2> /dev/null
done
if [[ -z "$display" ]]; then
  echo "round trip: the virtual display did not start" >&2
  exit 1
fi
started+=("$xvfb")
export DISPLAY=$display
# No session bus: without this, libdbus may start one through the display,
# and a run at the same time can wait on it.
export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent"

if [[ -n "$command" ]]; then
  work=$dist
  scratch=$(mktemp -d)
else
  work=$(mktemp -d)
  scratch=$work
  # A copy of the tree of links, so that nothing the programs write lands in the build.
  cp -rs "$(cd "$dist" && pwd)/." "$work/"
  rm -f "$work/options.ini"
  # The files the programs write are real copies: a write goes through a link.
  while IFS= read -r -d '' link; do
    cp -L "$link" "$link.copy" && mv -f "$link.copy" "$link"
  done < <(find "$work" -type l \( -name '*.ini' -o -name hiscore.dat \) -print0)
fi
cleanup() {
  for pid in "${started[@]}" $(pgrep -u "$(id -u)" -f "^$work/" || true); do kill "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# What went wrong, with what the programs printed and what was on the display.
fail() {
  echo "round trip: $*" >&2
  tail -n 20 "$scratch/launcher.log" >&2 2>/dev/null
  echo "windows: $(xdotool search --name . getwindowname %@ 2>&1 | tr '\n' '|')" >&2
  echo "programs: $(pgrep -a -u "$(id -u)" -f "^$work/" | tr '\n' '|')" >&2
  exit 1
}
# Waits up to 20 s for a command to succeed.
wait_for() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
  return 1
}
window() { xdotool search --name "$1" 2>/dev/null | head -1; }
has_window() { [[ -n "$(window "$1")" ]]; }
running() { pgrep -u "$(id -u)" -f "^$1" > /dev/null; }
not_running() { ! running "$1"; }
# A process of ours that has ended (other programs of the same name may run).
gone() { [[ ! -e /proc/$1 ]] || grep -q '^State:.*Z' "/proc/$1/status"; }
# A click at (x, y) of the 800 x 600 picture of the window, held briefly.
click() {
  local w=$1 x=$2 y=$3
  xdotool mousemove --window "$w" "$x" "$y" 2>/dev/null || return 1
  sleep 0.2
  xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.3
}

# Keys go to the window under the pointer; the pointer rests on the window.
key() {
  xdotool mousemove --window "$1" 400 5 2>/dev/null || return 1
  sleep 0.2
  shift
  for k in "$@"; do xdotool key "$k"; sleep 0.4; done
}
size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { print $2 }'; }
# A fingerprint of what a window shows ("" when it is gone).
look() { import -window "$1" rgb:- 2>/dev/null | md5sum | cut -c1-32; }
# Does an action until check holds, again every 3 s, for up to 30 s: a
# program busy loading (a slow or loaded machine) can miss a click or a key.
until_done() {
  local check=$1; shift
  for _ in $(seq 10); do
    "$@"
    for _ in $(seq 30); do "$check" && return 0; sleep 0.1; done
  done
  return 1
}
# A launcher screen that has stopped changing (it is drawn and listening).
settled() {
  local before
  before=$(look "$1")
  sleep 0.5
  [[ -n "$before" && "$before" == "$(look "$1")" ]]
}
# A press, or a click at (x, y) of the window.
use() {
  local w=$1 k=$2
  if [[ $mode == keys ]]; then key "$w" "$k"; else click "$w" "$3" "$4"; fi
}

# Full screen needs a window manager to grant it.
if [[ $mode == keys ]] && command -v openbox > /dev/null; then
  openbox > /dev/null 2>&1 &
  started+=($!)
  sleep 1
fi
if [[ -n "$command" ]]; then
  cd ~ || fail "no home folder"
  "$command" > "$scratch/launcher.log" 2>&1 &
else
  cd "$work" || fail "no work directory"
  "$work/Pavlora" > "$scratch/launcher.log" 2>&1 &
fi
launcher=$!
started+=($launcher)
wait_for has_window "^Kelvane Pavlora$" || fail "the launcher's window did not open"
w=$(window "^Kelvane Pavlora$")
wait_for settled "$w" || fail "the catalogue did not settle"
catalogue=$(look "$w")
left_catalogue() { [[ "$(look "$w")" != "$catalogue" ]]; }
until_done left_catalogue use "$w" Return 140 190 ||   # the quiz's tile, slot 1
  fail "the quiz's tile did not open its title screen"
wait_for settled "$w"
quiz_open() { has_window "^Verimoo"; }
until_done quiz_open use "$w" Return 716 326 || fail "the quiz's window did not open"   # "Play"
wait_for gone "$launcher" || fail "the launcher did not end"
running "$work/Verimoo/Verimoo $work" || fail "the quiz was not given the launcher's directory"

sleep 1
q=$(window "^Verimoo")
if [[ $mode == keys ]]; then
  key "$q" t; sleep 1; key "$q" space f; sleep 1; key "$q" space p; sleep 1; key "$q" space
  if pgrep -x openbox > /dev/null; then
    windowed=$(size "$q")
    key "$q" F11; sleep 1
    [[ $(size "$q") == 1024x768 ]] || fail "F11 did not fill the screen: $(size "$q")"
    key "$q" F11; sleep 1
    [[ $(size "$q") == "$windowed" ]] || fail "F11 did not give the window back: $(size "$q")"
  fi
fi
quiz_ended() { not_running "$work/Verimoo/Verimoo"; }
until_done quiz_ended use "$q" m 655 555 || fail "the quiz did not end"   # the quiz's "menu"
wait_for running "$work/Pavlora Verimoo" || fail "the launcher was not started with the quiz's name"
wait_for has_window "^Kelvane Pavlora$" || fail "the launcher's window did not come back"
w=$(window "^Kelvane Pavlora$")
wait_for settled "$w" || fail "the launcher's title screen did not settle"
if [[ -n "${ROUND_TRIP_PLATES:-}" ]]; then
  import -window "$w" -crop 330x170+234+374 +repage "$ROUND_TRIP_PLATES" || fail "no picture of the name plates"
fi
# "Exit" of the title screen; on the catalogue this place is an empty slot.
# (The first key only shows the focus, which starts on "Play".)
if [[ $mode == keys ]]; then
  key "$w" Down Down Down Return
else
  click "$w" 483 393   # the second name plate: the current player, saved at once
  click "$w" 716 465
fi
wait_for not_running "$work/Pavlora" || fail "the launcher did not open on the quiz's title screen"
echo "round trip ($mode): ok"
