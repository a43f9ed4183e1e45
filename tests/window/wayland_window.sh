#!/bin/bash
# The real program under a headless Wayland compositor, driven and read the
# way a screen reader does it: through the accessibility bus, which works the
# same whatever the window system.
# Usage: wayland_window.sh QUORVEL
set -u
prog=$1
py=/usr/bin/python3  # pyatspi is Debian's, not some other python3 on PATH
launcher=/usr/libexec/at-spi-bus-launcher
for tool in weston dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: $launcher is not installed"; exit 77; }
"$py" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

tmp=$(mktemp -d)
weston_pid=
session_pid=
# timeout gives each its own process group, so their helpers go with them;
# it also ends them by itself if this script is killed outright.
cleanup() {
    [ -n "$session_pid" ] && kill -- -"$session_pid" 2>/dev/null
    [ -n "$weston_pid" ] && kill -- -"$weston_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for log in app session weston; do [ -s "$tmp/$log.log" ] && sed "s/^/    $log: /" "$tmp/$log.log"; done
    exit 1
}

export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=quorvel-test-$$
timeout 55 weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
    </dev/null >"$tmp/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start"

cat >"$tmp/check.py" <<'EOF'
import sys, time
import pyatspi

pid = int(sys.argv[1])

def fail(message):
    print("FAIL: " + message)
    sys.exit(1)

def wait(find, seconds=15):
    end = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except Exception:  # the app may still be registering
            found = None
        if found or time.monotonic() > end:
            return found
        time.sleep(0.1)

# The form is a plain top-level widget, so Qt gives it the role filler, not frame.
def frame():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid and app.childCount:
            return app[0]

window = wait(frame, 25) or fail("no window of quorvel on the accessibility bus")
box = wait(lambda: pyatspi.findDescendant(window, lambda a: a.name == "表达式")) \
    or fail("no expression box named 表达式")
label = wait(lambda: pyatspi.findDescendant(window, lambda a: a.name.startswith("计算结果："))) \
    or fail("no result label named 计算结果：…")

def name(accessible):
    accessible.clear_cache()
    return accessible.name

def enter(text, label_name, title):
    box.queryEditableText().setTextContents(text)
    if not wait(lambda: name(label) == label_name and name(window).strip() == title, 10):
        fail("after %s: result label %r, window %r; expected %r, %r"
             % (text, name(label), name(window), label_name, title))
    shown = box.queryText().getText(0, -1)
    if shown != text:
        fail("the box shows %r after %r was entered" % (shown, text))
    print("%s: result label %r, window %r" % (text, name(label), name(window)))

# Accepted, the title is blank; a missing bracket keeps the last result and
# says what is wrong in the title.
enter("2*(x+1)", "计算结果：2", "")
enter("2*(x+1", "计算结果：2", "错误:发现缺少)")
EOF

# Inside its own session bus: the accessibility bus first, then the program,
# then the reader; the reader's status is the session's.
inner='
"$1" --launch-immediately >/dev/null 2>&1 &
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" && break
    sleep 0.1
done
"$2" </dev/null >"$4/app.log" 2>&1 &
"$3" "$4/check.py" "$!" </dev/null
'
env -u DISPLAY -u AT_SPI_BUS_ADDRESS QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    timeout 45 dbus-run-session -- bash -c "$inner" inner "$launcher" "$prog" "$py" "$tmp" \
    </dev/null >"$tmp/check.log" 2>"$tmp/session.log" &
session_pid=$!
wait "$session_pid"
rc=$?
cat "$tmp/check.log"
[ "$rc" -ne 124 ] || fail "the accessibility check took over 45 s"
[ "$rc" -eq 0 ] || fail "the accessibility check ended with status $rc"
