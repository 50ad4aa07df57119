#!/bin/bash
# Installs the Debian package in a clean Debian 12 root and uses it there as a
# designer would: apt-get brings the dependencies from the package registry, a
# normal user starts the program under a virtual screen, creates a scheme on a
# bundled floor plan, places a symbol and saves; the scheme must land in the
# user's own data folder and varneth-tool must read it with the installed data.
#
#   tools/check-package.sh build/varneth_1.0_amd64.deb
#
# Runs as root (debootstrap, chroot, mounts). The clean root is made once with
# debootstrap in $VARNETH_CHROOT/bookworm (default /work/chroot) and copied
# afresh for every check; the screenshots are left in $VARNETH_CHROOT/out.
set -euo pipefail

DEB=$(realpath "${1:?usage: tools/check-package.sh varneth_VERSION_ARCH.deb}")
WORK=${VARNETH_CHROOT:-/work/chroot}
BASE=$WORK/bookworm
ROOT=$WORK/check
OUT=$WORK/out
SCREEN=${VARNETH_CHECK_DISPLAY:-:93}
USERNAME=designer
NAME=demo

step() { printf '\n== %s\n' "$*"; }
fail() {
    printf 'FAILED: %s\n' "$*" >&2
    exit 1
}

# The Debian mirror this machine uses (one-line or deb822 sources).
mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null |
        sed -n -e 's/^deb \(\[[^]]*\] \)\{0,1\}\(http[^ ]*\/debian\)\/\{0,1\} .*/\2/p' \
            -e 's/^URIs: *\(http[^ ]*\/debian\)\/\{0,1\}$/\1/p' | head -n 1 || true
}

need() {
    local missing=()
    for tool in "$@"; do command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}"); done
    if [ ${#missing[@]} -gt 0 ]; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

[ "$(id -u)" = 0 ] || fail "run as root"
need debootstrap:debootstrap Xvfb:xvfb xdotool:xdotool import:imagemagick
MIRROR=$(mirror)
MIRROR=${MIRROR:-http://deb.debian.org/debian}

if [ ! -x "$BASE/usr/bin/apt-get" ]; then
    step "Making a clean Debian 12 root from $MIRROR"
    rm -rf "$BASE"
    debootstrap --variant=minbase bookworm "$BASE" "$MIRROR"
    cat >"$BASE/etc/apt/sources.list" <<EOF
deb $MIRROR bookworm main
deb $MIRROR bookworm-updates main
deb ${MIRROR}-security bookworm-security main
EOF
fi

step "Copying the clean root"
XVFB=
cleanup() {
    [ -n "${PROGRAM:-}" ] && kill "$PROGRAM" 2>/dev/null || true
    [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null || true
    for mount in tmp/.X11-unix dev/pts dev sys proc; do
        mountpoint -q "$ROOT/$mount" && umount -l "$ROOT/$mount"
    done
    return 0
}
trap cleanup EXIT
cleanup
rm -rf "$ROOT"
cp -a "$BASE" "$ROOT"
mkdir -p "$OUT" "$ROOT/tmp/.X11-unix"
mount -t proc proc "$ROOT/proc"
mount -t sysfs sys "$ROOT/sys"
mount --bind /dev "$ROOT/dev"
mount --bind /dev/pts "$ROOT/dev/pts"
mount --bind /tmp/.X11-unix "$ROOT/tmp/.X11-unix"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
in_root() { chroot "$ROOT" "$@"; }
as_user() {
    chroot --userspec=$USERNAME:$USERNAME "$ROOT" env -i HOME=/home/$USERNAME USER=$USERNAME \
        LANG=C.UTF-8 PATH=/usr/bin:/bin DISPLAY="$SCREEN" "$@"
}

step "Installing $(basename "$DEB") with its dependencies from the registry"
cp "$DEB" "$ROOT/tmp/"
in_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq "/tmp/$(basename "$DEB")" >/dev/null

step "Checking the installed files"
DESKTOP=$ROOT/usr/share/applications/varneth.desktop
for file in usr/bin/varneth usr/bin/varneth-tool usr/share/varneth/iconstore.xml \
    usr/share/man/man1/varneth-tool.1.gz usr/share/man/man1/varneth.1.gz \
    usr/share/icons/hicolor/scalable/apps/varneth.svg; do
    [ -s "$ROOT/$file" ] || fail "/$file is missing"
done
for folder in iconstore/20 iconstore/150 background templates; do
    [ -n "$(ls -A "$ROOT/usr/share/varneth/$folder")" ] || fail "/usr/share/varneth/$folder is empty"
done
grep -qx 'Name=Varneth电气线路设计系统' "$DESKTOP" || fail "the menu entry's name"
grep -qx 'Icon=varneth' "$DESKTOP" || fail "the menu entry's icon"
grep -qx 'Exec=varneth' "$DESKTOP" || fail "the menu entry's command"
zcat "$ROOT/usr/share/man/man1/varneth-tool.1.gz" | grep -q '^\.SH COMMANDS' ||
    fail "the manual page of varneth-tool"
in_root useradd -m -s /bin/bash $USERNAME
as_user varneth-tool library >/dev/null || fail "varneth-tool does not find the installed library"

step "Starting the program as $USERNAME under a virtual screen"
Xvfb "$SCREEN" -screen 0 1280x1024x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${SCREEN#:}" ] && break; sleep 0.1; done
export DISPLAY=$SCREEN
as_user varneth >"$OUT/varneth.log" 2>&1 &
PROGRAM=$!
timeout 60 xdotool search --sync --name '^Varneth电气线路设计系统 V' >/dev/null ||
    fail "no main window (see $OUT/varneth.log)"
sleep 1
USERDATA=$ROOT/home/$USERNAME/.local/share/varneth
[ -d "$USERDATA/projects" ] && [ -d "$USERDATA/templates" ] || fail "no user data folder"
import -window root "$OUT/1-started.png"

step "Creating the scheme \"$NAME\" on a bundled floor plan"
# The window sits at the top left without a window manager; places as laid out
# on page 0 and the wiring page.
xdotool mousemove 372 118 click 1 sleep 0.3 type --delay 40 "$NAME"
xdotool mousemove 627 234 click 1
timeout 20 xdotool search --sync --name '^打开$' >/dev/null || fail "no floor-plan dialog"
sleep 0.5
xdotool type --delay 30 /usr/share/varneth/background/
xdotool key Return sleep 0.7 key shift+Tab sleep 0.3 key Down sleep 0.3
import -window root "$OUT/2-floor-plan.png"
xdotool key Return sleep 0.7
xdotool mousemove 372 118 click 1 sleep 0.3 key Return sleep 1.5
PROJECT=$USERDATA/projects/$NAME
for extension in ini wir gua; do
    [ -s "$PROJECT/$NAME.$extension" ] || fail "the scheme was not created ($NAME.$extension)"
done
grep -q '^BackgroundPath=' "$PROJECT/$NAME.ini" || fail "no floor plan in the settings"

step "Placing a refrigerator with its socket and saving"
before=$(stat -c %s "$PROJECT/$NAME.wir")
xdotool mousemove 52 134 mousedown 1 sleep 0.2
for point in "70 140" "120 160" "200 200" "300 260" "400 290" "420 295"; do
    xdotool mousemove $point sleep 0.15
done
xdotool mouseup 1 sleep 0.8 key ctrl+s sleep 1
import -window root "$OUT/3-saved.png"
after=$(stat -c %s "$PROJECT/$NAME.wir")
[ "$after" -gt "$before" ] || fail "the drawing was not saved (.wir $before -> $after bytes)"
[ "$(in_root stat -c %U "/home/$USERNAME/.local/share/varneth/projects/$NAME/$NAME.wir")" = \
    $USERNAME ] || fail "the scheme is not the user's"
as_user varneth-tool bom "/home/$USERNAME/.local/share/varneth/projects/$NAME/$NAME.ini" \
    >"$OUT/bom.csv" || fail "varneth-tool cannot read the saved scheme"
[ "$(wc -l <"$OUT/bom.csv")" -ge 2 ] || fail "the configuration list is empty"
kill -0 "$PROGRAM" || fail "the program ended"

printf '\nThe package installs and works: screenshots and the configuration list in %s\n' "$OUT"
