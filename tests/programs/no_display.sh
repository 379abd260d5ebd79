#!/bin/bash
# The real programs started where there is no display (none named, or one
# that does not answer): each says so on standard error and ends with exit
# code 1 instead of running on unseen. A driver asked for by name
# (SDL_VIDEODRIVER) is still used: the program then runs.
# usage: no_display.sh <program>...
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0
for program in "$@"; do
  name=$(basename "$program")
  for display in "-u DISPLAY" "DISPLAY=:65535"; do
    code=0
    # shellcheck disable=SC2086  # the option and its word are meant to split
    env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER $display timeout 10 "$program" 2> err.txt || code=$?
    if [[ $code -ne 1 ]] || ! grep -qi "display" err.txt; then
      echo "$name with env $display: exit code $code, said: $(cat err.txt)" >&2
      fail=1
    fi
  done
  code=0
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 2 "$program" \
    > /dev/null 2>&1 || code=$?
  if [[ $code -ne 124 ]]; then
    echo "$name with SDL_VIDEODRIVER=offscreen ended at once (exit code $code)" >&2
    fail=1
  fi
done
exit $fail
