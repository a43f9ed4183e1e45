#!/bin/bash
# The real window at a large desktop font, set as a low-vision user sets it
# with qt6ct, under a virtual X server: read through the accessibility bus,
# every control must hold its text, measured at that font with Pango, and
# the window must fit a 1280x800 screen. Leaves a screenshot.
# Usage: large_font.sh QUORVEL OUTDIR [POINTS]
set -u
prog=$1
out=$2
points=${3:-16}
py=/usr/bin/python3  # pyatspi and Pango are Debian's, not some other python3 on PATH
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb import dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: $launcher is not installed"; exit 77; }
compgen -G '/usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so' >/dev/null || { echo "SKIP: qt6ct is not installed"; exit 77; }
"$py" -c 'import pyatspi, gi; gi.require_version("PangoCairo", "1.0"); from gi.repository import PangoCairo' 2>/dev/null ||
    { echo "SKIP: python3-pyatspi or Pango's introspection data is not installed"; exit 77; }

xvfb_screen=1280x800x24
. "$(dirname "$0")/xvfb.sh"
mkdir -p "$tmp/config/qt6ct" "$tmp/run" "$out"
chmod 700 "$tmp/run"
printf '%s\n' '[Appearance]' style=Fusion '[Fonts]' "general=\"Sans Serif,$points,-1,5,400,0,0,0,0,0,0,0,0,0,0,1\"" \
    >"$tmp/config/qt6ct/qt6ct.conf"

cat >"$tmp/check.py" <<'PY'
import subprocess, sys, time
import gi, pyatspi
gi.require_version("Pango", "1.0")
gi.require_version("PangoCairo", "1.0")
from gi.repository import Pango, PangoCairo

prog, points, shot = sys.argv[1], sys.argv[2], sys.argv[3]
window = subprocess.Popen([prog, "--no-history"], stdin=subprocess.DEVNULL)
failures = []

def wait(find):
    for _ in range(200):
        try:
            found = find()
        except Exception:  # still registering
            found = None
        if found:
            return found
        time.sleep(0.1)
    window.kill()
    sys.exit("FAIL: quorvel never showed up on the accessibility bus with its result")

app = wait(lambda: next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == window.pid and a.childCount))
box = wait(lambda: pyatspi.findDescendant(app, lambda a: a.name == "表达式"))
box.queryEditableText().setTextContents("7.13037063466872+x")
wait(lambda: pyatspi.findDescendant(app, lambda a: a.name.endswith("7.13037063466872") and a.getRole() == pyatspi.ROLE_LABEL))

layout = Pango.Layout(PangoCairo.FontMap.get_default().create_context())
layout.set_font_description(Pango.FontDescription("Sans Serif " + points))
def ink(text):  # width and height of the text's ink at the desktop font
    layout.set_text(text, -1)
    r = layout.get_pixel_extents()[0]
    return r.x + r.width, r.height

def extents(a):
    e = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height

frame = extents(app[0])
# Its own size at the default font; larger, but within a small screen, up to 16 pt.
if frame[2:] != (440, 248) if points == "9" else frame[2] <= 440 or int(points) <= 16 and (frame[2] > 1280 or frame[3] > 800):
    failures.append("the window is %dx%d" % frame[2:])
# A button or a box gives its frame and padding 4 pixels a side, a label nothing.
for a in app[0]:
    x, y, w, h = extents(a)
    role = a.getRole()
    if role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON):
        # A label's name is its caption, the result's carries its text after "："
        text = a.name.split("：", 1)[1] if a.name.startswith("计算结果：") else a.name
        need, pad = ink(text), 8 if role == pyatspi.ROLE_PUSH_BUTTON else 0
        if need[0] + pad > w or need[1] + pad > h:
            failures.append("%r is %dx%d, its text %dx%d" % (a.name, w, h, *need))
    elif role == pyatspi.ROLE_TEXT:
        t = a.queryText()
        r = t.getRangeExtents(0, t.characterCount, pyatspi.DESKTOP_COORDS)
        if r[2] + 8 > w or r[3] + 4 > h:
            failures.append("%r is %dx%d, its text %dx%d" % (a.name, w, h, r[2], r[3]))
    elif role == pyatspi.ROLE_LIST:
        for row in a:
            rx, ry, rw, rh = extents(row)
            need = ink(row.name)
            if ry + rh > y + h or rh < need[1] or (len(row.name) == 1 and need[0] + 8 > w):
                failures.append("a row of %r is %dx%d in %dx%d, its text %dx%d" % (a.name, rw, rh, w, h, *need))
subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (frame[2], frame[3], frame[0], frame[1]), shot])
window.kill()
if failures:
    sys.exit("FAIL at %s pt: " % points + "; ".join(failures))
print("%s pt: the window %dx%d holds every text; screenshot %s" % (points, frame[2], frame[3], shot))
PY

env -u AT_SPI_BUS_ADDRESS HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" \
    QT_QPA_PLATFORMTHEME=qt6ct QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    timeout 60 dbus-run-session -- bash -c '
"$1" --launch-immediately >/dev/null 2>&1 &
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" && break
    sleep 0.1
done
exec "$2" "$3" "$4" "$5" "$6" </dev/null' inner "$launcher" "$py" "$tmp/check.py" "$prog" "$points" "$out/large_font_$points.png" \
    2>"$tmp/session.log"
rc=$?
[ "$rc" -eq 0 ] || { sed 's/^/    session: /' "$tmp/session.log"; echo "FAIL: the check ended with status $rc"; exit 1; }
