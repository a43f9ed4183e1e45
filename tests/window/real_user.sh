#!/bin/bash
# The real program used as a person uses it, under a virtual X server: typed
# into with a Chinese input method (fcitx5, pinyin, full-width punctuation),
# which composes in the expression box but never in the value box; the
# primary selection pasted with the middle button; its last expression
# recalled with Up across a normal quit, and nothing kept with --no-history;
# what the boxes hold and say read through the accessibility bus, as a screen
# reader does. Then once more under a headless Wayland compositor, driven
# through that bus alone.
# Usage: real_user.sh QUORVEL OUTDIR
set -u
prog=$1
out=$2
py=/usr/bin/python3  # pyatspi and Xlib are Debian's, not some other python3 on PATH
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb xdotool xprop import convert fcitx5 weston dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: $launcher is not installed"; exit 77; }
"$py" -c 'import pyatspi, Xlib' \
    2>/dev/null || { echo "SKIP: python3-pyatspi or python3-xlib is not installed"; exit 77; }
[ -e /usr/share/fcitx5/addon/pinyin.conf ] || { echo "SKIP: fcitx5-chinese-addons is not installed"; exit 77; }
compgen -G '/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so' >/dev/null ||
    { echo "SKIP: fcitx5-frontend-qt6 is not installed"; exit 77; }

groups=
# timeout gives each session and the compositor its own process group: the
# bus, the input method and every window go with it. fcitx5 saves its
# settings as it ends, so a group is waited for before its HOME is removed.
cleanup_more() {
    for group in $groups; do
        kill -- -"$group" 2>/dev/null
        for _ in $(seq 50); do kill -0 -- -"$group" 2>/dev/null || break; sleep 0.1; done
        kill -KILL -- -"$group" 2>/dev/null
    done
}
. "$(dirname "$0")/xvfb.sh"
fail() {
    echo "FAIL: $*"
    for log in app fcitx5 session weston; do [ -s "$tmp/$log.log" ] && sed "s/^/    $log: /" "$tmp/$log.log"; done
    exit 1
}

# A throwaway HOME: the input method's settings, and nothing of the user's.
home=$tmp/home
mkdir -p "$home/.config/fcitx5/conf" "$tmp/run" "$out"
chmod 700 "$tmp/run"
printf '%s\n' '[Groups/0]' Name=Default 'Default Layout=us' DefaultIM=pinyin '[Groups/0/Items/0]' Name=keyboard-us \
    '[Groups/0/Items/1]' Name=pinyin '[GroupOrder]' 0=Default >"$home/.config/fcitx5/profile"
printf '%s\n' '[Hotkey/TriggerKeys]' 0=Control+space '[Behavior]' ActiveByDefault=False ShareInputState=No \
    ShowInputMethodInformation=False >"$home/.config/fcitx5/config"
# Full-width punctuation, also right after a digit, as "2（" is typed.
printf '%s\n' Enabled=True HalfWidthPuncAfterLetterOrNumber=False TypePairedPunctuationsTogether=False \
    >"$home/.config/fcitx5/conf/punctuation.conf"

cat >"$tmp/check.py" <<'EOF'
import atexit, os, re, subprocess, sys, time
import pyatspi
from Xlib import X, display, protocol

prog, tmp, out, mode = sys.argv[1:5]
state = tmp + "/state"
log = open(tmp + "/app.log", "a")
x11 = mode != "wayland"
started = []
atexit.register(lambda: [p.kill() for p in started])

def fail(message):
    print("FAIL: " + message)
    sys.exit(1)

def wait(find, seconds=8):
    end = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except Exception:  # the app may still be registering, a file being replaced
            found = None
        if found or time.monotonic() > end:
            return found
        time.sleep(0.05)

def run(*args):
    return subprocess.run(args, stdout=subprocess.PIPE, text=True, timeout=20).stdout

class Window:
    def __init__(self, state_home, *options):
        self.proc = subprocess.Popen([prog, *options], stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                     env=dict(os.environ, XDG_STATE_HOME=state_home))
        started.append(self.proc)
        if x11:
            self.wid = (wait(self.windows, 20) or fail("no window of quorvel %s" % " ".join(options)))[0]
        def app():
            for a in pyatspi.Registry.getDesktop(0):
                if a is not None and a.get_process_id() == self.proc.pid and a.childCount:
                    return a
        self.app = wait(app, 20) or fail("no quorvel on the accessibility bus")
        self.box = wait(lambda: pyatspi.findDescendant(self.app, lambda a: a.name == "表达式")) \
            or fail("no expression box named 表达式")
        self.label = wait(lambda: pyatspi.findDescendant(self.app, lambda a: a.name.startswith("计算结果："))) \
            or fail("no result label named 计算结果：…")

    def windows(self):
        return run("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)).split()

    # Typed on the real keyboard, into whichever window has the focus.
    def keys(self, *keys):
        run("xdotool", "windowfocus", "--sync", self.wid, *(["key", "--delay", "40", *keys] if keys else []))

    def type(self, text):
        run("xdotool", "windowfocus", "--sync", self.wid, "type", "--delay", "40", text)

    def retype(self, text):
        self.keys("ctrl+a", "BackSpace")
        self.type(text)

    def read(self, what):
        self.box.clear_cache()
        self.label.clear_cache()
        self.app[0].clear_cache()
        return {"text": lambda: self.box.queryText().getText(0, -1),
                "title": lambda: self.app[0].name,  # the window's name: Quorvel, then any message
                "result": lambda: self.label.name[len("计算结果："):]}[what]()

    def expect(self, what, want, after):
        if not wait(lambda: self.read(what) == want, 10):
            fail("after %s the %s is %r, expected %r" % (after, what, self.read(what), want))

    # As a window manager asks a window to close.
    def close(self):
        xserver = display.Display()
        window = xserver.create_resource_object("window", int(self.wid))
        window.send_event(protocol.event.ClientMessage(window=window, client_type=xserver.intern_atom("WM_PROTOCOLS"),
            data=(32, [xserver.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        xserver.flush()
        if self.proc.wait(10) != 0:
            fail("quorvel ended with status %d when closed" % self.proc.returncode)

# Under Wayland: what a screen reader can do, the text set through the box's
# editable-text interface.
if not x11:
    w = Window(state)
    for text, title in (("2*(x+1)", "Quorvel"), ("2*(x+1", "Quorvel 错误:发现缺少)，标记的记号：(")):
        w.box.queryEditableText().setTextContents(text)
        w.expect("result", "2", "setting " + text)
        w.expect("title", title, "setting " + text)
    print("wayland: the result 2, the title %r" % title)
    sys.exit(0)

def fcitx(method):
    return run("dbus-send", "--session", "--print-reply", "--dest=org.fcitx.Fcitx5", "/controller",
               "org.fcitx.Fcitx.Controller1." + method)

# The Chinese input method turned on as a user does; it then commits
# "（" and "）" for the bracket keys. The window asks for its input context
# only once it has the focus, and a key pressed before that never reaches
# the input method.
a = Window(state)
def focused():
    # The box gets the focus again: on a busy machine its first focus may
    # come before its input context is there.
    a.keys("Tab", "shift+Tab")
    return re.search(r"program:quorvel .* focus:1", fcitx("DebugInfo"))
wait(focused, 30) or fail("quorvel has no focused input context: %s" % fcitx("DebugInfo"))
a.keys("ctrl+space")
wait(lambda: "int32 2" in fcitx("State"), 10) or fail("Ctrl+space did not turn pinyin on: %s" % fcitx("State"))
a.type("2*(1+1)")
a.expect("text", "2*(1+1)", "typing 2*(1+1) in pinyin mode")
a.expect("result", "4", "typing 2*(1+1) in pinyin mode")
shot = out + "/real_user.png"
run("import", "-window", a.wid, shot)
size, colours = run("convert", shot, "-format", "%wx%h %k", "info:").split()
if size != "440x248" or int(colours) <= 16:
    fail("the screenshot is %s with %s colours" % (size, colours))
# The value box takes keys, never composed text: "." stays "." in pinyin mode.
a.keys("Tab", "Tab", "Tab", "Tab", "ctrl+a")
a.type("1.")
value = pyatspi.findDescendant(a.app, lambda x: x.name == "值") or fail("no value box named 值")
wait(lambda: value.queryText().getText(0, -1) == "1.") or fail("the value box shows %r" % value.queryText().getText(0, -1))
a.keys("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "ctrl+space", "Return")
print("pinyin: the box shows 2*(1+1), the result 4; screenshot " + out + "/real_user.png")

# The message in the window system's title.
a.retype("2*(x+1")
wait(lambda: "错误:发现缺少)" in run("xprop", "-id", a.wid, "_NET_WM_NAME")) or \
    fail("the window system's title: " + run("xprop", "-id", a.wid, "_NET_WM_NAME"))

# The middle button pastes the primary selection as typed: "（" comes as "(".
a.retype("1+")
subprocess.run(["xclip", "-selection", "primary"], input="2*（3）", text=True, stdout=subprocess.DEVNULL, timeout=20)
x, y, width, height = a.box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
run("xdotool", "mousemove", str(x + width - 5), str(y + height // 2), "click", "2")
a.expect("text", "1+2*(3)", "a middle click with 2*（3） selected")

# Kept across a normal quit: the box's last text, in the state folder.
a.retype("3+4")
a.close()
b = Window(state)
b.keys("Up")
b.expect("text", "3+4", "a normal quit, a restart and Up")

# --no-history neither reads the file nor writes anything.
def files():
    return {os.path.join(p, f): open(os.path.join(p, f), "rb").read() for p, _, fs in os.walk(state) for f in fs}
before = files()
n = Window(state, "--no-history")
n.keys("Up")
n.type("2+2")
n.expect("text", "2+2", "Up and 2+2 with --no-history")
n.keys("Return", "ctrl+c")
n.close()
if files() != before:
    fail("with --no-history the state folder changed: %r, before %r" % (files(), before))
EOF

# Inside its own session bus: the accessibility bus and, under X, the input
# method first, then the checks, which start the windows; the checks' status
# is the session's.
inner='
"$1" --launch-immediately >/dev/null 2>&1 &
names=org.a11y.Bus
if [ "$6" = x11 ]; then
    fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem,notifications,fcitx4frontend,ibusfrontend,xim \
        >"$3/fcitx5.log" 2>&1 &
    names="$names org.fcitx.Fcitx5"
fi
for name in $names; do
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            string:$name 2>/dev/null | grep -q "boolean true" && break
        sleep 0.1
    done
done
exec "$2" "$3/check.py" "$4" "$3" "$5" "$6" </dev/null
'
session() {
    env -u AT_SPI_BUS_ADDRESS -u XDG_STATE_HOME "$@" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$tmp/run" \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        timeout 80 dbus-run-session -- bash -c "$inner" inner "$launcher" "$py" "$tmp" "$prog" "$out" "$mode" \
        </dev/null >"$tmp/check.log" 2>"$tmp/session.log" &
    groups="$groups $!"
    wait "$!"
    rc=$?
    cat "$tmp/check.log"
    [ "$rc" -ne 124 ] || fail "the checks under $mode took over 80 s"
    [ "$rc" -eq 0 ] || fail "the checks under $mode ended with status $rc"
}
mode=x11 session QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx

rm -rf "$tmp/state"
socket=quorvel-test-$$
XDG_RUNTIME_DIR="$tmp/run" timeout 60 weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
    </dev/null >"$tmp/weston.log" 2>&1 &
groups="$groups $!"
for _ in $(seq 100); do [ -S "$tmp/run/$socket" ] && break; sleep 0.1; done
[ -S "$tmp/run/$socket" ] || fail "weston did not start"
# As a Wayland desktop names itself: the program chooses the platform.
mode=wayland session -u DISPLAY -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$socket"

