#!/bin/sh
# Installs the build into a scratch DESTDIR and uses the installed programs from a folder outside the
# source and build trees: the command-line tool, the program's data lookup, the program coming up
# headless, the desktop launcher's first start, and the desktop entry and metainfo validated.
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
cd "$root"
export QT_QPA_PLATFORM=offscreen

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

"$usr/bin/quorvex-cli" cpu --no-clock --json | grep -q '^{"CPUID":' || fail "quorvex-cli cpu"

# A session saved on a discharging battery (a fake power-supply tree mounted over the kernel's, in a
# mount namespace of its own), one saved as the machine is, their comparison, and the HTML report.
"$usr/bin/quorvex-cli" bench cpu --save b.json >/dev/null 2>&1 || fail "quorvex-cli bench cpu --save"
if [ "$(id -u)" -eq 0 ] && [ -d /sys/class/power_supply ] && unshare -m true 2>/dev/null; then
    mkdir -p supply/BAT0
    echo Battery >supply/BAT0/type
    echo Discharging >supply/BAT0/status
    unshare -m sh -c 'mount --bind supply /sys/class/power_supply && exec "$1" bench cpu --save a.json' \
        sh "$usr/bin/quorvex-cli" >/dev/null 2>warnings || fail "quorvex-cli bench cpu on battery"
    grep -qx 'quorvex-cli bench: warning: running on battery: the clock is lowered and varies' warnings ||
        fail "no battery warning"
    "$usr/bin/quorvex-cli" bench --compare a.json b.json | grep -qx '  OnBattery' ||
        fail "the comparison does not show the battery"
fi
"$usr/bin/quorvex-cli" report --no-clock --format html --output r.html && tail -n 1 r.html | grep -qx '</html>' ||
    fail "quorvex-cli report --format html"

# The connection check and the lookup on loopback, as this user and, when this is root, as an ordinary
# user too (who has neither raw sockets nor the datagram echo socket here: the ping helper answers).
"$usr/bin/quorvex-cli" ping 127.0.0.1 | grep -qx 'Network link OK.' || fail "quorvex-cli ping 127.0.0.1"
"$usr/bin/quorvex-cli" lookup localhost | grep -qx '127.0.0.1' || fail "quorvex-cli lookup localhost"
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    chmod 755 "$root"
    as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
    as_nobody "$usr/bin/quorvex-cli" ping 127.0.0.1 | grep -qx 'Network link OK.' ||
        fail "quorvex-cli ping 127.0.0.1 as an ordinary user"
    as_nobody "$usr/bin/quorvex-cli" lookup localhost | grep -qx '127.0.0.1' ||
        fail "quorvex-cli lookup localhost as an ordinary user"
fi
"$usr/bin/quorvex" --check-installation | grep -qx "$usr/share/quorvex/help/quorvex.html" ||
    fail "the help file is not found"
"$usr/bin/quorvex" --check-installation | grep -qx "$usr/share/quorvex/QUORVEX.001" ||
    fail "the sound cue is not found"

# Still running after a few seconds: the program came up (no display problem, no crash).
status=0
timeout 4 "$usr/bin/quorvex" || status=$?
[ "$status" -eq 124 ] || fail "the program ended with status $status"

# The desktop menu's launcher: runs in the user's data folder, which a first start seeds for the tip.
status=0
HOME=$root/home XDG_DATA_HOME='' timeout 4 "$usr/libexec/quorvex/quorvex-desktop" || status=$?
[ "$status" -eq 124 ] || fail "the launcher ended with status $status"
[ "$(cat "$root/home/.local/share/quorvex/QUORVEX.CFG")" = "$(printf 'ConseilAuDemarrage=OUI;\r')" ] ||
    fail "the launcher did not seed the preference"

desktop-file-validate "$usr"/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$usr"/share/metainfo/*.xml >/dev/null || fail "metainfo"
# Every module the programs load by file name (a built library without a version) is installed.
for module in "$build"/lib/lib*.so; do
    [ -L "$module" ] || [ -e "$usr/lib/quorvex/${module##*/}" ] || fail "${module##*/} is not installed"
done
for file in "$usr"/bin/* "$usr"/lib/quorvex/*; do
    if ldd "$file" | grep -q "not found"; then fail "$file misses a library"; fi
done
echo "1 passed, 0 failed"
