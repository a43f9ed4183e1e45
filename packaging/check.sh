#!/bin/sh
# Checks the Debian package of a configured and built tree:
#   packaging/check.sh BUILD_DIR
# Builds the package with cpack into a scratch folder, runs lintian on it,
# unpacks it into a scratch root, validates the desktop entry, the metainfo,
# the icons and the manual pages found there, and runs the installed
# quorvel-cli. Needs no display, no network and no standard input.
set -eu

fail() {
    echo "packaging check: FAIL: $*" >&2
    exit 1
}
step() { echo "== $*"; }

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 64; }
[ -d "$1" ] || fail "$1 is not a folder"
build_dir=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache="$build_dir/CMakeCache.txt"
[ -f "$cache" ] || fail "$build_dir is not a CMake build tree (no CMakeCache.txt)"
[ -f "$build_dir/CPackConfig.cmake" ] ||
    fail "$build_dir has no CPackConfig.cmake: the top-level CMakeLists.txt must add_subdirectory(packaging)"

need() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 not found (Debian package $2)"
}
need cpack cmake
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev
need dpkg-parsechangelog dpkg-dev
need lintian lintian
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need man man-db
need ldd libc-bin
need od coreutils
need awk mawk

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
version=$(cache_value CMAKE_PROJECT_VERSION)
[ -n "$version" ] || fail "no CMAKE_PROJECT_VERSION in $cache"
case "$(cache_value QUORVEL_GUI)" in
    OFF | FALSE | NO | N | 0 | off | false | no | n) window=no ;;
    *) window=yes ;;
esac
arch=$(dpkg --print-architecture)
app_id=io.github.quorvel.Quorvel

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-package.XXXXXX")
# Kept after a failure, to look at.
clean_up() {
    status=$?
    if [ $status -eq 0 ]; then
        rm -rf "$scratch"
    else
        echo "packaging check: scratch files kept in $scratch" >&2
    fi
}
trap clean_up EXIT

step "building the package (cpack -G DEB) from $build_dir"
if ! (cd "$build_dir" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not build the package (is $build_dir built?)"
fi
deb="$scratch/out/quorvel_${version}_${arch}.deb"
[ -f "$deb" ] || {
    ls "$scratch/out" >&2
    fail "cpack made no quorvel_${version}_${arch}.deb"
}
echo "$(basename "$deb"): $(wc -c <"$deb") bytes"

step "control fields"
field() { dpkg-deb --field "$deb" "$1"; }
expect_field() {
    got=$(field "$1")
    [ "$got" = "$2" ] || fail "control field $1 is '$got', expected '$2'"
}
expect_field Package quorvel
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Section math
maintainer="Quorvel maintainers <quorvel@users.noreply.github.com>"
expect_field Maintainer "$maintainer"
depends=$(field Depends)
echo "Depends: $depends"
# dpkg-shlibdeps names the libraries the programs are linked against.
for lib in libc6 libstdc++6; do
    echo "$depends" | grep -q "\\b$lib\\b" || fail "Depends lacks $lib: were the dependencies computed?"
done
if [ $window = yes ]; then
    echo "$depends" | grep -q "libqt6widgets6" || fail "Depends lacks libqt6widgets6, which the window is linked against"
    recommends=$(field Recommends)
    echo "Recommends: $recommends"
    # Run-time plugins and fonts, which dpkg-shlibdeps cannot see.
    echo "$recommends" | grep -q "\bqt6-wayland\b" || fail "Recommends lacks qt6-wayland, the window's Wayland plugin"
    echo "$recommends" | grep -q "\bfonts-noto-cjk\b" || fail "Recommends lacks a CJK font"
fi

step "changelog"
# A version bump needs its changelog entry, or the package ships an old one.
changelog="$source_dir/packaging/changelog"
top=$(dpkg-parsechangelog -l "$changelog" -S Version) || fail "dpkg-parsechangelog cannot read packaging/changelog"
[ "$top" = "$version" ] || fail "the newest entry of packaging/changelog is $top, the project version $version"
released=$(date -u -d "@$(dpkg-parsechangelog -l "$changelog" -S Timestamp)" +%F)
signed=$(dpkg-parsechangelog -l "$changelog" -S Maintainer)
[ "$signed" = "$maintainer" ] || fail "the newest entry of packaging/changelog is signed by '$signed', the package's Maintainer is '$maintainer'"
echo "packaging/changelog: $top of $released"

step "lintian"
# Errors and warnings fail; the other information tags and the pedantic ones
# are only advice. Lintian warns when it runs as root, which says nothing
# about the package.
if ! lintian -I --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1; then
    cat "$scratch/lintian.log" >&2
    fail "lintian reports errors or warnings on $(basename "$deb")"
fi
grep -v "^running with root privileges" "$scratch/lintian.log" || true
# The programs are built with the distribution's hardening flags; lintian
# names a missing one only among its information tags.
if grep -q "hardening-" "$scratch/lintian.log"; then
    fail "lintian finds hardening flags missing: is dpkg-buildflags installed, QUORVEL_HARDENING on?"
fi
echo "lintian: no errors, no warnings, no hardening tags"

step "unpacking into a scratch root"
root="$scratch/root"
mkdir "$root"
dpkg -x "$deb" "$root"

expect_file() {
    [ -f "$root/$1" ] || fail "the package lacks /$1"
}
expect_file usr/bin/quorvel-cli
expect_file usr/share/man/man1/quorvel-cli.1.gz
expect_file usr/share/doc/quorvel/copyright
expect_file usr/share/doc/quorvel/changelog.gz
if [ $window = yes ]; then
    expect_file usr/bin/quorvel
    expect_file usr/share/man/man1/quorvel.1.gz
    expect_file "usr/share/applications/$app_id.desktop"
    expect_file "usr/share/metainfo/$app_id.metainfo.xml"
    expect_file usr/share/icons/hicolor/scalable/apps/quorvel.svg
fi
for program in quorvel quorvel-cli; do
    [ -f "$root/usr/bin/$program" ] || continue
    [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
    missing=$(ldd "$root/usr/bin/$program" | grep "not found" || true)
    [ -z "$missing" ] || fail "/usr/bin/$program needs libraries that are not found: $missing"
done

if [ $window = yes ]; then
    step "desktop entry"
    desktop="$root/usr/share/applications/$app_id.desktop"
    # Hints do not change the exit status, but the entry is meant to have none.
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects $app_id.desktop: $report"
    [ -z "$report" ] || fail "desktop-file-validate has remarks on $app_id.desktop: $report"
    desktop_key() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(desktop_key Exec)" = "quorvel %f" ] || fail "Exec is '$(desktop_key Exec)', expected quorvel %f (a file manager passes the file)"
    [ "$(desktop_key Icon)" = quorvel ] || fail "Icon is '$(desktop_key Icon)', expected quorvel"
    [ "$(desktop_key Name)" = Quorvel ] || fail "Name is '$(desktop_key Name)', expected Quorvel"
    desktop_key 'Comment\[zh_CN\]' | grep -q . || fail "the desktop entry has no Chinese comment"
    # The menus file it under Utility (Accessories in some desktops).
    case ";$(desktop_key Categories)" in
        *";Utility;"*) ;;
        *) fail "Categories is '$(desktop_key Categories)', which lacks Utility" ;;
    esac

    step "icons"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    png_word() { od -An -tu1 -j"$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }
    for size in 16 32 48 64 128 256; do
        png="usr/share/icons/hicolor/${size}x${size}/apps/quorvel.png"
        expect_file "$png"
        [ "$(od -An -c -j1 -N3 "$root/$png" | tr -d ' ')" = PNG ] || fail "/$png is not a PNG image"
        w=$(png_word "$root/$png" 16)
        h=$(png_word "$root/$png" 20)
        if [ "$w" != "$size" ] || [ "$h" != "$size" ]; then
            fail "/$png is ${w}x${h}, expected ${size}x${size}"
        fi
        echo "${size}x${size} ok"
    done

    step "AppStream metainfo"
    metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
    appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli rejects $app_id.metainfo.xml"
    # Software centres show the newest release as the version installed.
    newest=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 of \2/p' "$metainfo" | head -n1)
    [ "$newest" = "$version of $released" ] ||
        fail "the newest release in $app_id.metainfo.xml is '$newest', packaging/changelog's newest is $version of $released"
    echo "newest release: $newest"
    # The tree as installed: the launchable desktop entry must be where the
    # metainfo says.
    appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli rejects the installed tree"
    # The screenshot is fetched from the repository, not from the package.
    [ -f "$source_dir/docs/screenshot.png" ] ||
        fail "docs/screenshot.png, which the metainfo's screenshot URL points at, is not in the repository"
fi

step "manual pages"
for page in "$root"/usr/share/man/man1/*.1.gz; do
    name=$(basename "$page" .gz)
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
        fail "man cannot format $name: $warnings"
    [ -z "$warnings" ] || fail "the manual page $name has formatting warnings: $warnings"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION "SEE ALSO"; do
        echo "$text" | grep -q "^$section\$" || fail "the manual page $name has no $section section"
    done
done

step "running the installed quorvel-cli"
cli="$root/usr/bin/quorvel-cli"
out=$("$cli" 1+2 </dev/null) || fail "quorvel-cli 1+2 exited with $?"
[ "$out" = 3 ] || fail "quorvel-cli 1+2 printed '$out', expected 3"
echo "quorvel-cli 1+2: $out"
out=$("$cli" --version </dev/null) || fail "quorvel-cli --version exited with $?"
[ "$out" = "quorvel-cli $version" ] ||
    fail "quorvel-cli --version printed '$out', expected 'quorvel-cli $version' (the project and package version)"
echo "quorvel-cli --version: $out"

echo "packaging check: OK (quorvel $version)"
