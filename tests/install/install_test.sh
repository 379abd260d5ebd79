#!/usr/bin/env bash
# The Debian package end to end, on a throwaway root machine: builds it from
# this checkout, validates its desktop entries and application descriptions,
# installs it, plays the launcher-to-quiz round trip as a new unprivileged
# user starting "pavlora" from the PATH (picking the second player), then
# checks that the pick landed in that user's ~/.local/share/pavlora/, that a
# second user still sees the default player, that no installed file changed,
# and that purging leaves nothing under /usr.
# usage: tests/install/install_test.sh   (as root; exit 77 when skipped)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
  echo "install test: skipped, it installs a package and adds users (run it as root)"
  exit 77
fi
# The package is the machine's: a second run at the same time waits its turn.
exec 9> /run/lock/pavlora-install-test.lock
flock 9
if dpkg-query -W -f='${Status}' pavlora 2>/dev/null | grep -q "ok installed"; then
  echo "install test: pavlora is installed already; purge it first" >&2
  exit 1
fi

fail() { echo "install test: $*" >&2; exit 1; }
work=$(mktemp -d)
chmod 755 "$work"
users=()
installed=0
cleanup() {
  for u in "${users[@]}"; do
    userdel -r -f "$u" 2>/dev/null || true
  done
  [ "$installed" -eq 1 ] && DEBIAN_FRONTEND=noninteractive apt-get purge -y -q pavlora >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Build, with lintian's verdict.
"$root/tools/build-deb" "$work" > "$work/build.log" 2>&1 || { tail -40 "$work/build.log"; fail "the package did not build cleanly"; }
version=$(cd "$root" && dpkg-parsechangelog -S Version)
deb="$work/pavlora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"

# The desktop files and the application descriptions, as packaged.
dpkg-deb -x "$deb" "$work/tree"
for f in "$work"/tree/usr/share/applications/*.desktop; do
  desktop-file-validate "$f" || fail "desktop-file-validate: $f"
done
for f in "$work"/tree/usr/share/metainfo/*.metainfo.xml; do
  report=$(appstreamcli validate --no-net "$f" 2>&1) || fail "appstreamcli: $report"
  ! grep -E '^ *[EW]: ' <<< "$report" || fail "appstreamcli reports errors or warnings for $f"
done
[ "$(ls "$work"/tree/usr/share/applications/*.desktop "$work"/tree/usr/share/metainfo/*.xml | wc -l)" -eq 4 ] ||
  fail "expected a desktop file and a description per program"

# Install.
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
installed=1
pkgdir=$(dirname "$(readlink -f /usr/games/pavlora)")
checksums() {
  dpkg -L pavlora | while read -r f; do if [ -f "$f" ] && [ ! -L "$f" ]; then sha256sum "$f"; fi; done
  find "$pkgdir" | sort
}
checksums > "$work/before"

# Two players' accounts; each plays as themselves.
for n in 1 2; do
  u="pavtest$$-$n"
  useradd -m -s /bin/bash "$u"
  users+=("$u")
done
install -m 755 "$root/tests/launcher/round_trip.sh" "$work/round_trip.sh"
install -d -m 1777 "$work/shots"   # each player saves a picture of the name plates here
# As the user logs in: their own home, their PATH (with /usr/games).
as_user() { runuser -l "$1" -c "$2"; }
for p in Pavlora Verimoo; do
  [ "$(as_user "${users[0]}" "${p,,} --version")" = "$p $version" ] || fail "${p,,} --version on the PATH"
done
play() {
  as_user "$1" "ROUND_TRIP_PLATES='$2' timeout 120 '$work/round_trip.sh' --installed pavlora '$pkgdir'"
}
play "${users[0]}" "$work/shots/plates-1.png" || fail "the round trip as ${users[0]}"
options="/home/${users[0]}/.local/share/pavlora/options.ini"
[ -f "$options" ] || fail "no $options"
grep -q "^playerid=1" "$options" || fail "the picked player is not in $options"

# The second user: nothing of the first user's shows, and their own pick is theirs.
[ ! -e "/home/${users[1]}/.local/share/pavlora" ] || fail "${users[1]} has a data folder before playing"
play "${users[1]}" "$work/shots/plates-2.png" || fail "the round trip as ${users[1]}"
compare -metric AE "$work/shots/plates-1.png" "$work/shots/plates-2.png" null: 2> /dev/null ||
  fail "${users[1]} does not see the default current player"

checksums > "$work/after"
diff "$work/before" "$work/after" || fail "the installed files changed"

# Purge: nothing left under /usr.
DEBIAN_FRONTEND=noninteractive apt-get purge -y -q pavlora > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge"; }
installed=0
left=$(find /usr \( -iname '*pavlora*' -o -iname '*verimoo*' \) -print)
[ -z "$left" ] || fail "left after purge: $left"
echo "install test: ok"
