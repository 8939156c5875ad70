#!/usr/bin/env bash
# Usage: test-deb.sh BUILD_DIR WORK_DIR VERSION [SOURCE_DIR]
#
# Packs BUILD_DIR into a .deb with cpack (or takes the package named by
# $PLINTH_DEB), then checks it as a user would meet it:
#  - its files and control fields (dpkg-deb -c / -f), the desktop file and
#    the man pages, and lintian's verdict when lintian is installed;
#  - installed into a throw-away root (dpkg-deb -x), plinth-layout runs and
#    finds the bundled layouts clean;
#  - the installed plinth answers --help, --version and a wrong argument,
#    and names the autostart desktop file it ships;
#  - the installed /usr/bin/plinth, started on a display of its own, opens
#    the window "Plinth" with the bundled labels: the same picture as the
#    program beside the source tree's layouts, and not the blank one it
#    shows beside empty layouts; a layout in the user's folder comes first;
#    a second start shows the running keyboard and ends.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# ------------------------------------------------------------ on the display

# Starts the keyboard PROGRAM, waits for its window, saves a picture of it
# in PNG and stops the program by its PID.
shoot_keyboard() {
  local program=$1 png=$2 log=$3 config=${4:-$work/no-config}
  XDG_CONFIG_HOME=$config "$program" 2>"$log" &
  local pid=$!
  local window="" tries=0
  while [ -z "$window" ]; do
    kill -0 "$pid" 2>/dev/null || fail "$program ended before its window appeared: $(cat "$log")"
    [ $((tries += 1)) -le 150 ] || fail "no window named Plinth from $program within 30 s"
    sleep 0.2
    window=$(xdotool search --onlyvisible --name '^Plinth$' 2>/dev/null | head -n 1 || true)
  done

  # The picture is taken once two in a row agree, so drawing has finished.
  local previous="" current="" shots=0
  while :; do
    [ $((shots += 1)) -le 50 ] || fail "the window of $program never stopped changing"
    import -window "$window" "$png"
    current=$(convert "$png" -depth 8 rgb:- | sha1sum)
    [ "$current" = "$previous" ] && break
    previous=$current
    sleep 0.2
  done

  kill "$pid"
  wait "$pid" 2>/dev/null || true
  local gone=0
  while xdotool search --onlyvisible --name '^Plinth$' >/dev/null 2>&1; do
    [ $((gone += 1)) -le 50 ] || fail "the window of $program stayed after it was stopped"
    sleep 0.1
  done
}

pixels_of() { convert "$1" -depth 8 rgb:- | sha1sum; }

if [ "${1:-}" = "--on-display" ]; then
  root=$2 work=$3 source_dir=$4

  # The programs below come and go one after the other; the display must
  # stay as it is between them, not reset when its last client leaves
  # (the next one to connect during a reset would find no display).
  xprop -root -f PLINTH_DISPLAY_KEPT 8s -set PLINTH_DISPLAY_KEPT yes
  xprop -root PLINTH_DISPLAY_KEPT | grep -q '"yes"' ||
    fail "the display reset when its only client left"

  shoot_keyboard "$root/usr/bin/plinth" "$work/installed.png" "$work/installed.err"
  if grep -q . "$work/installed.err"; then
    fail "the installed plinth reported: $(cat "$work/installed.err")"
  fi

  # The same program beside the source tree's layouts: the bundled labels.
  mkdir -p "$work/bundled" "$work/blank"
  cp "$root/usr/lib/plinth/plinth" "$work/bundled/"
  cp "$source_dir"/layouts/*.ini "$work/bundled/"
  shoot_keyboard "$work/bundled/plinth" "$work/bundled.png" "$work/bundled.err"

  # Beside layouts without any section every button is blank.
  cp "$root/usr/lib/plinth/plinth" "$work/blank/"
  : >"$work/blank/Default.ini"
  : >"$work/blank/Extend.ini"
  shoot_keyboard "$work/blank/plinth" "$work/blank.png" "$work/blank.err"

  [ "$(pixels_of "$work/installed.png")" != "$(pixels_of "$work/blank.png")" ] ||
    fail "the installed keyboard shows no labels (same picture as with empty layouts)"
  [ "$(pixels_of "$work/installed.png")" = "$(pixels_of "$work/bundled.png")" ] ||
    fail "the installed keyboard differs from the bundled layouts (see $work/*.png)"
  echo "the installed keyboard shows the bundled labels"

  # The user's own Default.ini, empty here, comes before the bundled one.
  mkdir -p "$work/config/plinth"
  : >"$work/config/plinth/Default.ini"
  : >"$work/config/plinth/Extend.ini"
  shoot_keyboard "$root/usr/bin/plinth" "$work/user.png" "$work/user.err" "$work/config"
  [ "$(pixels_of "$work/user.png")" = "$(pixels_of "$work/blank.png")" ] ||
    fail "the installed keyboard did not read the user's layouts (see $work/user.png)"
  echo "the installed keyboard reads the user's folder first"

  # One keyboard a display: a second start ends at once, the first stays.
  XDG_CONFIG_HOME=$work/no-config "$root/usr/bin/plinth" 2>"$work/first.err" &
  first=$!
  tries=0
  until xdotool search --onlyvisible --name '^Plinth$' >/dev/null 2>&1; do
    [ $((tries += 1)) -le 150 ] || fail "no keyboard window within 30 s"
    sleep 0.2
  done
  timeout 20 "$root/usr/bin/plinth" 2>"$work/second.err" || fail "a second start failed: $?"
  kill -0 "$first" 2>/dev/null || fail "the first keyboard ended"
  [ "$(xdotool search --onlyvisible --name '^Plinth$' | wc -l)" = 1 ] ||
    fail "a second start opened a second keyboard"
  kill -9 "$first"
  wait "$first" 2>/dev/null || true
  echo "a second start shows the running keyboard"
  exit 0
fi

# ------------------------------------------------------------ the package

build_dir=$(cd "$1" && pwd)
work=$2
version=$3
source_dir=$(cd "${4:-$(dirname "$0")/../..}" && pwd)

rm -rf "$work"
mkdir -p "$work"

if [ -n "${PLINTH_DEB:-}" ]; then
  deb=$PLINTH_DEB
else
  # The package's dependencies are worked out by dpkg-shlibdeps, which CPack
  # finds ELF files for with file(1).
  for tool in dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
  (cd "$build_dir" && cpack -G DEB -B "$work/out" >"$work/cpack.log") ||
    fail "cpack failed: $(cat "$work/cpack.log")"
  deb=$(ls "$work"/out/plinth_*.deb)
fi
[ -f "$deb" ] || fail "no package at $deb"
echo "package: $deb"

# Control fields.
[ "$(dpkg-deb -f "$deb" Package)" = plinth ] || fail "package name is not plinth"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libx11-6' ||
  fail "Depends lacks the X library: $(dpkg-deb -f "$deb" Depends)"
# The one program carries the Wayland backend too.
dpkg-deb -f "$deb" Depends | grep -q 'libwayland-client0' ||
  fail "Depends lacks the Wayland client library: $(dpkg-deb -f "$deb" Depends)"

# Files: the program and its layouts together, the link, the tool, the
# desktop entry, icon, man pages and documents.
dpkg-deb -c "$deb" >"$work/contents"
expect_file() {
  grep -Eq " \./$1( |$)" "$work/contents" || fail "the package lacks /$1"
}
grep -Eq ' \./usr/bin/plinth -> \.\./lib/plinth/plinth$' "$work/contents" ||
  fail "/usr/bin/plinth is not a link to ../lib/plinth/plinth"
for path in usr/lib/plinth/plinth usr/bin/plinth-layout \
  usr/share/applications/plinth.desktop \
  usr/share/icons/hicolor/scalable/apps/plinth.svg \
  usr/share/man/man1/plinth.1.gz usr/share/man/man1/plinth-layout.1.gz \
  usr/share/doc/plinth/copyright usr/share/doc/plinth/changelog.gz \
  usr/share/doc/plinth/layouts.md usr/share/plinth/plinth-autostart.desktop; do
  expect_file "$path"
done
for layout in "$source_dir"/layouts/*.ini "$source_dir"/words/*.words; do
  expect_file "usr/lib/plinth/$(basename "$layout")"
done
if grep -Ev ' \./usr/(bin|lib/plinth|share)(/|$)| \./(usr/|usr/lib/)?$' "$work/contents" >"$work/strays"; then
  fail "files outside /usr/bin, /usr/lib/plinth and /usr/share: $(cat "$work/strays")"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" \
    >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
  echo "lintian: no errors"
fi

# Installed into a throw-away root.
root=$work/root
dpkg-deb -x "$deb" "$root"
if command -v desktop-file-validate >/dev/null; then
  for desktop in usr/share/applications/plinth.desktop usr/share/plinth/plinth-autostart.desktop; do
    desktop-file-validate "$root/$desktop" || fail "desktop-file-validate $desktop"
  done
fi
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$root/usr/share/doc/plinth/copyright" || fail "the copyright file is not machine-readable"
grep -q '^License: Expat' "$root/usr/share/doc/plinth/copyright" ||
  fail "the copyright file does not name the MIT (Expat) licence"
grep -q '^License: LGPL-2+ with FLTK exceptions' "$root/usr/share/doc/plinth/copyright" ||
  fail "the copyright file does not name FLTK's licence"
if command -v groff >/dev/null; then
  for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(gzip -dc "$page" | groff -man -ww -z 2>&1 || true)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
fi
"$root/usr/bin/plinth-layout" --version | grep -qF "$version" ||
  fail "plinth-layout --version does not print $version"

# The command line of both programs.
for program in plinth plinth-layout; do
  status=0
  "$root/usr/bin/$program" --no-such-option >"$work/answer.out" 2>"$work/answer.err" || status=$?
  [ "$status" = 2 ] || fail "$program --no-such-option: status $status, not 2"
  [ ! -s "$work/answer.out" ] || fail "$program --no-such-option wrote to standard output"
  grep -q "^Usage: $program" "$work/answer.err" || fail "$program --no-such-option shows no usage"
done
"$root/usr/bin/plinth" --version >"$work/answer.out" || fail "plinth --version failed"
[ "$(cat "$work/answer.out")" = "plinth $version" ] || fail "plinth --version: $(cat "$work/answer.out")"
XDG_CONFIG_HOME=/home/ana/.config "$root/usr/bin/plinth" --help >"$work/help" ||
  fail "plinth --help failed"
grep -qx "  /home/ana/.config/plinth/" "$work/help" || fail "plinth --help lacks the user's folder"
grep -qx "  $root/usr/lib/plinth/" "$work/help" || fail "plinth --help lacks the program's folder"
autostart=$(sed -n 's|^  cp \(.*\) ~/.config/autostart/$|\1|p' "$work/help")
[ "$autostart" = "$root/usr/share/plinth/plinth-autostart.desktop" ] ||
  fail "plinth --help names the autostart file [$autostart]"
[ -f "$autostart" ] || fail "the package lacks the autostart file that plinth --help names"
[ ! -e "$root/etc/xdg/autostart" ] || fail "the package starts the keyboard for every user"
for layout in "$root"/usr/lib/plinth/*.ini; do
  "$root/usr/bin/plinth-layout" check "$layout" >"$work/check.log" 2>&1 ||
    fail "plinth-layout check $(basename "$layout"): $(cat "$work/check.log")"
done

"$source_dir/scripts/own-display.sh" "$0" --on-display "$root" "$work" "$source_dir"
