#!/bin/bash
# The real program under its own virtual X server: type into it as a person
# would, read the title, click a value row and "计算", and keep a screenshot.
# Usage: real_window.sh QUORVEL OUTDIR
set -u
prog=$1
out=$2
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -s "$tmp/app.log" ] && sed 's/^/    quorvel: /' "$tmp/app.log"
    exit 1
}

# Xvfb chooses a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 640x400x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(head -n1 "$tmp/display")"
echo "Xvfb on $DISPLAY"

env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$prog" </dev/null >"$tmp/app.log" 2>&1 &
app_pid=$!
wid=$(timeout 15 xdotool search --sync --name '^Quorvel$' 2>/dev/null | head -n1)
[ -n "$wid" ] || fail "no window titled Quorvel"

title() { timeout 5 xdotool getwindowname "$wid"; }
# Waits until the title is $1 (the window updates after each keystroke).
await_title() {
    for _ in $(seq 50); do [ "$(title)" = "$1" ] && return 0; sleep 0.1; done
    fail "title is '$(title)', expected '$1'"
}

await_title "Quorvel"
timeout 5 xdotool windowfocus --sync "$wid" || fail "cannot focus the window"
timeout 10 xdotool type --delay 40 '2*(x+1' || fail "xdotool type"
await_title "错误:发现缺少)"
timeout 10 xdotool type --delay 40 ')' || fail "xdotool type"
# An accepted expression empties the title; X shows Qt's fallback name then.
for _ in $(seq 50); do [ "$(title)" != "错误:发现缺少)" ] && break; sleep 0.1; done
[ "$(title)" != "错误:发现缺少)" ] || fail "title kept the syntax message"
echo "title after '2*(x+1)': '$(title)'"

# Value row of x (List3 at 56,88 px), the value box (104,88), then "计算"
# (104,112): the result becomes 2*(5+1).
timeout 5 xdotool mousemove --window "$wid" 70 96 click 1 || fail "click List3"
sleep 0.2
timeout 5 xdotool mousemove --window "$wid" 128 97 click 1 || fail "click Text2"
sleep 0.2
timeout 5 xdotool key End BackSpace || fail "key"
timeout 10 xdotool type --delay 40 'a5' || fail "xdotool type"   # a beeps and is dropped
timeout 5 xdotool mousemove --window "$wid" 128 124 click 1 || fail "click 计算"
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "quorvel ended"

shot="$out/real_window.png"
timeout 10 import -window "$wid" "$shot" || fail "screenshot"
colours=$(convert "$shot" -format %k info:)
size=$(convert "$shot" -format %wx%h info:)
echo "screenshot $shot: $size, $colours colours"
[ "$colours" -gt 16 ] || fail "screenshot looks blank ($colours colours)"
[ "$size" = "440x248" ] || fail "window is $size, not 440x248"
echo "ok"
