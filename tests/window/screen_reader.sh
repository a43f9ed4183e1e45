#!/bin/bash
# The real window heard through the real screen reader, Orca, as a blind
# user works: typing, Return, the value lists, Up, Ctrl+C, and Orca's own
# keys for the title and "where am I". Orca speaks to speech-dispatcher's
# dummy output; what it would say is taken from its speech log.
# Usage: screen_reader.sh QUORVEL
set -u
prog=$1
py=/usr/bin/python3  # Orca and pyatspi are Debian's, not some other python3 on PATH
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb xdotool openbox orca speech-dispatcher dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: $launcher is not installed"; exit 77; }

pids=
cleanup_more() {
    for pid in $pids; do kill "$pid" 2>/dev/null; done
    for f in "$tmp"/run/speech-dispatcher/pid/*.pid; do [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null; done
}
. "$(dirname "$0")/xvfb.sh"
speech=$tmp/speech.log
fail() {
    echo "FAIL: $*"
    echo "Orca said, since the start:"
    sed "s/^/    /" "$speech"
    for log in app orca openbox; do tail -n 20 "$tmp/$log.log" | sed "s/^/    $log: /"; done
    exit 1
}

# Orca, its buses and speech-dispatcher live in a throwaway HOME.
mkdir -p "$tmp/home/.config/speech-dispatcher" "$tmp/run" "$tmp/prefs"
chmod 700 "$tmp/run"
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_CONFIG_HOME=$tmp/home/.config XDG_STATE_HOME=$tmp/state
export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
printf '%s\n' 'AddModule "dummy" "sd_dummy" ""' 'DefaultModule dummy' >"$HOME/.config/speech-dispatcher/speechd.conf"
# Orca itself, with every utterance also written to the speech log; it must
# not look for, or replace, another user's Orca.
cat >"$tmp/logged_orca.py" <<'PY'
import logging, sys
h = logging.FileHandler(sys.argv.pop(1), encoding="utf-8")
logging.getLogger("speech").addHandler(h)
g = {"__name__": "orca_launcher", "__file__": "/usr/bin/orca"}
exec(compile(open("/usr/bin/orca", encoding="utf-8").read(), "/usr/bin/orca", "exec"), g)
g["otherOrcas"] = lambda: []
sys.exit(g["main"]())
PY

openbox >"$tmp/openbox.log" 2>&1 & pids="$pids $!"
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
    read -r address; read -r pid; echo "export DBUS_SESSION_BUS_ADDRESS='$address'; pids=\"\$pids $pid\""; })"
"$launcher" --launch-immediately >"$tmp/atspi.log" 2>&1 & pids="$pids $!"
sleep 1
xset q 2>/dev/null | grep -q 'Num Lock: *on' && xdotool key Num_Lock  # Orca's keys are on the keypad
: >"$speech"
"$py" "$tmp/logged_orca.py" "$speech" -u "$tmp/prefs" >"$tmp/orca.log" 2>&1 & pids="$pids $!"

mark=0
step=start
# said TEXT [SECONDS]: Orca says an utterance starting with TEXT after the last step.
said() {
    for _ in $(seq $((${2:-20} * 10))); do
        tail -n +$((mark + 1)) "$speech" | grep -qF "SPEECH OUTPUT: '$1" && return 0
        sleep 0.1
    done
    return 1
}
heard() { said "$@" || fail "after $step Orca did not say '$1'"; }
do_() { step="$*"; mark=$(wc -l <"$speech"); xdotool "$@"; }
heard "Screen reader on" 60
"$prog" --no-history >"$tmp/app.log" 2>&1 & app=$!
pids="$pids $app"
# On a busy machine the window manager may give the new window the focus late.
for _ in 1 2 3 4 5 6; do
    said "表达式 text" 5 && break
    xdotool search --onlyvisible --pid "$app" windowactivate 2>/dev/null
done
heard "表达式 text" 1

# Typing: only the keys while typing, the result once it pauses.
do_ type --delay 150 "2*(1+1)"
heard "notification 4."
sleep 1.5
[ "$(tail -n +$((mark + 1)) "$speech" | grep -c "notification")" = 1 ] || fail "typing 2*(1+1) said more than its result"
do_ key Return; heard "notification 4."
do_ type --delay 150 "/0"; heard "notification 除数为0错."
do_ key BackSpace BackSpace; sleep 0.2; xdotool type --delay 150 "+("; heard "notification 错误:发现缺少)，标记的记号：("
do_ key Insert+KP_Enter; heard "Quorvel 错误:发现缺少)，标记的记号：("  # the title
do_ key KP_Enter; heard "错误:发现缺少)，标记的记号：("  # where am I
do_ key BackSpace BackSpace; heard "notification 4."
do_ key KP_Enter; heard "运算顺序：2*(1+1)"
# A space changes no token: nothing new to say.
do_ type " "; sleep 1.5
[ "$(tail -n +$((mark + 1)) "$speech" | grep -c "notification")" = 0 ] || fail "a space said the result again"

# A lone variable's row is heard as the focus enters either list.
do_ key ctrl+a; xdotool type --delay 100 "2*x"; heard "notification 0."
do_ key Tab Tab; heard "x 0"
do_ key Tab; heard "x 0"
do_ key shift+Tab shift+Tab shift+Tab; heard "表达式 text"

# Each variable with its value, in both lists (names: y, x); the value box
# says whose value it edits.
do_ key ctrl+a; xdotool type --delay 100 "x*y+1"; heard "notification 1."
do_ key Tab Tab; heard "变量名"
do_ key Down; heard "x 0"
do_ key Tab; heard "变量值"
do_ key Down; heard "x 0"
do_ key Up; heard "y 0"
do_ key Tab; heard "y 的值"

# Up recalls 2*(1+1), kept by Return; Ctrl+C copies its result.
do_ key shift+Tab shift+Tab shift+Tab shift+Tab; heard "表达式 text"
do_ key Up; heard "notification 2*(1+1) 4."
do_ key ctrl+c; heard "notification 已复制 4."
echo "Orca said the results, the messages, the title, the reading, the variables, the recall and the copy"
