# Installs the Debian packages a command needs when they are missing.
# Sourced by scripts/run and scripts/test: need_packages PKG...

need_packages() {
    missing=""
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing="$missing $pkg"
    done
    [ -z "$missing" ] && return 0
    echo "== installing:$missing"
    as_root=""
    [ "$(id -u)" -eq 0 ] || as_root="sudo"
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# What building the window and the companion needs.
# qt6-translations-l10n: Qt's own dialog texts in Chinese; qt6-wayland: the
# window on a Wayland desktop without XWayland; dpkg-dev: dpkg-buildflags,
# the distribution's hardening flags.
BUILD_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev nlohmann-json3-dev fonts-noto-cjk librsvg2-bin
    qt6-translations-l10n qt6-wayland dpkg-dev"
# What the tests need besides: GoogleTest, Google Benchmark, a German locale
# for the locale check, an X server and tools for the real-window check, and
# the validators and tools for the package check, clang with libFuzzer and
# clang-tidy for the fuzzing and the static checks; a Chinese input method,
# the clipboard, a Wayland compositor and the accessibility bus for using the
# real window as a person does; the Orca screen reader, speech-dispatcher and
# a window manager for hearing it as a blind user does; lintian for the package.
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev locales xvfb xauth xdotool x11-utils imagemagick
    desktop-file-utils appstream man-db lintian
    fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 xclip python3-xlib weston python3-pyatspi at-spi2-core dbus
    orca speech-dispatcher openbox x11-xserver-utils
    clang clang-14 libclang-rt-14-dev clang-tidy-14 time"

need_locale() {
    locale -a 2>/dev/null | grep -qi "^$1\.utf-\?8\$" && return 0
    echo "== creating the locale $1.UTF-8"
    localedef -i "$1" -f UTF-8 "$1.UTF-8"
}
