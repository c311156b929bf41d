#!/usr/bin/env bash
# Installs the example product in a real SDL window on a private X server, clicking and typing
# with xdotool where a person would, then reads the machine the run left behind.
# usage: click_through_installation.sh TARROWIN WINDOW_PIXEL SOURCE_DIR
set -uo pipefail
tarrowin=$1 window_pixel=$2 source_dir=$3
SKIP=77

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "realwindow: $tool is not installed; skipping (scripts/install-deps installs it)"
    exit $SKIP
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tarrowin-realwindow.XXXXXX")
machine="$work/machine"
xvfb_pid="" app_pid="" passed=0
# SDL turns SIGTERM into a quit request that a modal loop may never read, so a process that
# outlives a polite request for two seconds is killed.
stop_process() {
  local pid=$1 tries=20
  kill "$pid" 2>/dev/null
  while kill -0 "$pid" 2>/dev/null && [ "$tries" -gt 0 ]; do sleep 0.1; tries=$((tries - 1)); done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
cleanup() {
  [ -n "$app_pid" ] && stop_process "$app_pid"
  [ -n "$xvfb_pid" ] && stop_process "$xvfb_pid"
  if [ "$passed" = 1 ]; then
    mv "$work/location.ppm" "$PWD/realwindow-location.ppm" 2>/dev/null &&
      echo "realwindow: the location page as the X server showed it: $PWD/realwindow-location.ppm"
    rm -rf "$work"
  else
    echo "realwindow: the run is kept in $work" >&2
  fi
}
trap cleanup EXIT

fail() {
  echo "realwindow: FAILED: $*" >&2
  if [ -n "${window:-}" ] && "$window_pixel" "$window" --ppm "$work/failed.ppm" 2>/dev/null; then
    echo "realwindow: the screen at the failure is $work/failed.ppm" >&2
  fi
  [ -f "$work/output.txt" ] && sed 's/^/  installer: /' "$work/output.txt" >&2
  exit 1
}

# The whole run has one deadline so that no sequence of waits can outlast it.
deadline=$((SECONDS + 60))
# wait_until SECONDS WHAT COMMAND...: polls COMMAND until it succeeds.
wait_until() {
  local limit=$((SECONDS + $1)) what=$2
  shift 2
  [ "$limit" -gt "$deadline" ] && limit=$deadline
  until "$@"; do
    [ "$SECONDS" -ge "$limit" ] && fail "waited in vain for $what"
    sleep 0.1
  done
}

# A display number nobody uses: other runs may start servers at the same moment and their lock
# files cannot be relied on, so a server that cannot take its number ends and the next is tried.
start_x_server() {
  local n=$1 limit=$((SECONDS + 10))
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && return 1
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp 2>"$work/xvfb.log" &
  xvfb_pid=$!
  while [ "$SECONDS" -lt "$limit" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      wait "$xvfb_pid" 2>/dev/null
      xvfb_pid=""
      return 1
    fi
    if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
      sleep 0.2  # a server that lost the race for the number ends at once
      kill -0 "$xvfb_pid" 2>/dev/null && return 0
    fi
    sleep 0.1
  done
  fail "the X server on :$n did not start"
}
first=$((100 + ($$ + RANDOM) % 800))
for ((n = first; n < first + 20; n++)); do
  start_x_server "$n" && break
done
[ -n "$xvfb_pid" ] || fail "no free display from :$first on"
export DISPLAY=":$n"

env -u WINSIM_SCRIPT -u WAYLAND_DISPLAY WINSIM_PREFIX="$machine" WINSIM_DISPLAY=sdl \
  WINSIM_CLOCK=real "$tarrowin" >"$work/output.txt" 2>&1 &
app_pid=$!

find_window() {
  kill -0 "$app_pid" 2>/dev/null || fail "the installer ended before it showed a window"
  window=$(xdotool search --name '^winsim$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
wait_until 15 "the installer's window" find_window

pixel() { "$window_pixel" "$window" "$1" "$2" 2>/dev/null; }
# An active caption bar: the classic dark blue running into light blue.
caption_at() {
  local c r g b
  c=$(pixel "$1" "$2") || return 1
  r=$((16#${c:0:2})) g=$((16#${c:2:2})) b=$((16#${c:4:2}))
  [ "$r" -lt 64 ] && [ "$b" -ge 112 ] && [ "$b" -gt $((g + 48)) ]
}
# The pictures at the left of the location and group pages: a blue scene and a teal one.
picture_is() {
  local c g b
  c=$(pixel 385 315) || return 1
  g=$((16#${c:2:2})) b=$((16#${c:4:2}))
  case $1 in
    blue) [ "$b" -ge 96 ] && [ "$g" -lt 64 ] ;;
    teal) [ "$g" -ge 96 ] && [ "$b" -ge 96 ] && [ $((g > b ? g - b : b - g)) -lt 32 ] ;;
  esac
}
page_shown() {  # caption point, then optionally the picture the page shows
  caption_at "$1" "$2" && { [ $# -lt 3 ] || picture_is "$3"; }
}
# A page shows its caption before its controls have painted; a person waits for the whole page,
# so wait until two pictures of the screen a moment apart are the same.
settle() {
  local limit=$((SECONDS + 5)) before="$work/settle-before.ppm" after="$work/settle-after.ppm"
  [ "$limit" -gt "$deadline" ] && limit=$deadline
  "$window_pixel" "$window" --ppm "$before" || fail "no picture of the screen"
  while :; do
    sleep 0.15
    "$window_pixel" "$window" --ppm "$after" || fail "no picture of the screen"
    cmp -s "$before" "$after" && return 0
    mv "$after" "$before"
    [ "$SECONDS" -ge "$limit" ] && fail "the screen kept changing while $1 was shown"
  done
}
click() {
  xdotool mousemove --window "$window" "$1" "$2" sleep 0.1 click 1 || fail "xdotool could not click"
}
press() {
  xdotool mousemove --window "$window" 600 150 key "$1" || fail "xdotool could not press $1"
}

c="$machine/drives/c"
program_dir="$c/Orvane Tinkerware/Sweeplux"
group_dir="$c/Documents and Settings/Owner/Start Menu/Programs/Sweeplux"
program_files=(Sweeplux.exe Sweeplux.hlp Swxbuy.txt Swxguide.txt Swxinfo.txt Swxplugs.dat Swxupdt.exe)
shortcuts=(Help Read\ Me Sweeplux Uninstall Update)
all_files_there() {
  local f
  for f in "${program_files[@]}"; do [ -f "$program_dir/$f" ] || return 1; done
  [ -f "$c/WINDOWS/Swxremov.exe" ]
}
all_shortcuts_there() {
  local s
  for s in "${shortcuts[@]}"; do [ -f "$group_dir/$s.lnk" ] || return 1; done
}

# Pages are centred on the screen (the welcome page) or right of the 150-pixel side panel;
# the points are the centres of their buttons from the dialog templates at 6x13 base units.
wait_until 15 "the welcome page" page_shown 500 297
settle "the welcome page"
click 470 457                                   # Continue
wait_until 10 "the license page" page_shown 600 239
settle "the license page"
click 645 523                                   # I Agree
wait_until 10 "the location page" page_shown 600 291 blue
settle "the location page"
cp "$work/settle-after.ppm" "$work/location.ppm"
click 758 319                                   # Continue
wait_until 25 "the installed files" all_files_there
wait_until 15 "the group page" page_shown 600 291 teal
settle "the group page"
click 758 319                                   # Continue
wait_until 10 "the shortcuts" all_shortcuts_there
wait_until 10 "the read-me question" caption_at 600 334
settle "the read-me question"
press n                                         # No
wait_until 10 "the farewell" caption_at 500 317
settle "the farewell"
press Return                                    # OK

app_exited() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_until 10 "the installer to end" app_exited
status=0
wait "$app_pid" || status=$?
app_pid=""

# The installer always ends with exit code 1.
[ "$status" -eq 1 ] || fail "the installer ended with exit code $status, not 1"
for f in "${program_files[@]}"; do
  cmp -s "$source_dir/resources/payload/$f" "$program_dir/$f" || fail "$f differs from its source"
done
cmp -s "$source_dir/resources/payload/Swxremov.exe" "$c/WINDOWS/Swxremov.exe" ||
  fail "Swxremov.exe in C:\\WINDOWS differs from its source"
for s in "${shortcuts[@]}"; do
  [ -s "$group_dir/$s.lnk" ] || fail "no shortcut $s.lnk"
  [ "$(head -c 4 "$group_dir/$s.lnk" | od -An -tx1 | tr -d ' ')" = 4c000000 ] ||
    fail "$s.lnk is no shell link"
done
registry="$machine/system.reg"
expect_value() {  # key, then the value line exactly as REGEDIT4 writes it
  # awk -v would read the backslashes as escapes, the environment passes them as they are
  KEY="[$1]" LINE="$2" awk '
    BEGIN { key = ENVIRON["KEY"]; line = ENVIRON["LINE"] }
    { sub(/\r$/, "") }
    $0 == key { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && $0 == line { found = 1 }
    END { exit !found }' "$registry" || fail "no $2 under $1"
}
uninstall='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sweeplux'
expect_value "$uninstall" '"DisplayName"="Sweeplux"'
expect_value "$uninstall" '"DisplayVersion"="v3.06"'
expect_value "$uninstall" '"UninstallString"="C:\\Windows\\Swxremov.exe"'
expect_value "$uninstall" '"Program Path"="C:\\Orvane Tinkerware\\Sweeplux"'
expect_value "$uninstall" '"Program Group"="Sweeplux"'
expect_value "$uninstall" '"Publisher"="Orvane Tinkerware"'
expect_value 'HKEY_LOCAL_MACHINE\Software\Orvane Tinkerware' '"Sweeplux"="C:\\Orvane Tinkerware\\Sweeplux"'
expect_value 'HKEY_LOCAL_MACHINE\Software\Orvane Tinkerware\Programs\Sweeplux\Current Version' \
  '"Program Version"="3.06"'

passed=1
echo "realwindow: installed through the real window; all files, shortcuts and registry values present"
