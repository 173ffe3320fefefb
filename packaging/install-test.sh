#!/usr/bin/env bash
# Installs a built package into a fresh Debian 12 system, starts the installed game there under
# Xvfb the way a desktop's menu does (the Exec line of its desktop entry, as a user), sees its
# start window, closes it, purges the package and checks that no file the package listed is left.
#
#     packaging/install-test.sh <pokdeng_*.deb> <work folder>
#
# The work folder keeps a pristine Debian 12 (minbase with Xvfb and the X tools the test uses,
# and a user "player"), made once by debootstrap from the Debian mirror this machine's apt uses,
# and the packages apt downloaded, so a later run downloads nothing new. Each run's root is an
# overlay on the pristine system (or a copy of it), so every install starts from the same clean
# system. Needs root.
# Leaves <work folder>/start.png, the screen with the installed game's start window, and the
# logs of apt; a failed run also leaves what it changed in the system (changes/upper, or root/
# when it is a copy), to look into.
set -euo pipefail

if [ $# -ne 2 ] || [ ! -f "$1" ]; then
    echo "usage: $0 <pokdeng_*.deb> <work folder>" >&2
    exit 2
fi
deb=$(realpath "$1")
work=$(realpath -m "$2")
base=$work/base
root=$work/root
mkdir -p "$work/apt-archives/partial"

# The Debian 12 suites this machine's apt installs from, as "URI suite" lines: Debian's own
# (other vendors name suites "bookworm" too).
debian_sources() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(ORIGIN)' 'Identifier: Packages' \
        | awk '$3 == "Debian" && $2 ~ /^bookworm(-updates|-security)?$/ { print $1, $2 }' \
        | sort -u
}

mounts=()
mount_in_root() { # mount_in_root <mount arguments...> <target inside root>
    local target=$root${*: -1}
    mount "${@:1:$#-1}" "$target"
    mounts+=("$target")
}
unmount_all() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
    done
    mounts=()
}
trap unmount_all EXIT
trap 'exit 130' INT TERM

# Deletes a test root, refusing while anything is still mounted inside it: rm would reach the
# host's files through the mount.
remove_root() {
    if awk -v r="$1/" 'index($2 "/", r) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "$1 still has something mounted inside; not removing it" >&2
        exit 1
    fi
    rm -rf --one-file-system "$1"
}

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }

if [ ! -f "$base/.complete" ]; then
    echo "-- making a pristine Debian 12 in $base (once)"
    mirror=$(debian_sources | awk '$2 == "bookworm" { print $1; exit }')
    if [ -z "$mirror" ]; then
        echo "apt on this machine has no Debian bookworm source to debootstrap from" \
            "(or needs apt-get update)" >&2
        exit 1
    fi
    remove_root "$base.new"
    debootstrap --variant=minbase --include=xvfb,x11-utils,x11-apps,netpbm \
        bookworm "$base.new" "$mirror" >"$work/debootstrap.log" 2>&1 \
        || { tail -n 20 "$work/debootstrap.log"; exit 1; }
    debian_sources | while read -r uri suite; do echo "deb $uri $suite main"; done \
        >"$base.new/etc/apt/sources.list"
    chroot "$base.new" useradd --create-home --shell /bin/bash player
    chroot "$base.new" apt-get clean
    touch "$base.new/.complete"
    remove_root "$base"
    mv "$base.new" "$base"
fi

echo "-- a fresh Debian 12 root over the pristine copy"
# An overlay keeps the run's changes apart from the pristine system and is gone with them; where
# the file system cannot hold an overlay's changes, the root is a copy.
changes=$work/changes
remove_root "$root"
rm -rf --one-file-system "$changes"
mkdir -p "$root" "$changes/upper" "$changes/work"
if mount -t overlay overlay -o "lowerdir=$base,upperdir=$changes/upper,workdir=$changes/work" \
    "$root" 2>/dev/null; then
    mounts+=("$root")
else
    cp -a "$base/." "$root"
fi
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
mount_in_root -t proc proc /proc
mount_in_root --bind "$work/apt-archives" /var/cache/apt/archives
cp "$deb" "$root/tmp/"
debname=$(basename "$deb")

echo "-- apt-get install ./$debname"
in_root apt-get update -qq
# Without recommended packages, so that the package's own dependencies must be enough.
in_root sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$debname" \
    >"$work/install.log" 2>&1 || { tail -n 30 "$work/install.log"; exit 1; }
echo "   $(grep -c '^Setting up ' "$work/install.log") packages set up, the game and what it depends on"
in_root dpkg -L pokdeng >"$work/pokdeng.files"

echo "-- starting the installed game under Xvfb"
# Runs as the user, from a login shell (its PATH has /usr/games), in namespaces of its own: no
# network, and a process tree that ends with the script, Xvfb and the game included.
cat >"$root/tmp/start-game.sh" <<'EOF'
set -eu
cd
export XDG_RUNTIME_DIR=$(mktemp -d)
Xvfb :5 -screen 0 800x600x24 -nolisten tcp >xvfb.log 2>&1 &
for _ in $(seq 50); do [ -S /tmp/.X11-unix/X5 ] && break; sleep 0.1; done
export DISPLAY=:5
command=$(sed -n 's/^Exec=//p' /usr/share/applications/th.pokdeng.PokDeng.desktop)
echo "   Exec=$command -> $(command -v "$command")"
$command >game.log 2>&1 &
game=$!
for _ in $(seq 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Quindelo"' && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
if ! xwininfo -root -tree | grep '"Quindelo"'; then
    echo "no start window appeared; the game said:" >&2
    cat game.log >&2
    exit 1
fi
sleep 1 # let the window paint before the picture is taken
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >start.png
kill -TERM "$game"
{ wait "$game"; } 2>/dev/null || true
if xwininfo -root -tree | grep -q '"Quindelo"'; then
    echo "the start window is still there after the game was closed" >&2
    exit 1
fi
echo "   closed"
EOF
unshare --pid --net --mount --kill-child chroot "$root" \
    sh -c 'mount -t proc proc /proc && exec runuser -l player -c "sh /tmp/start-game.sh"'
cp "$root/home/player/start.png" "$work/start.png"

echo "-- apt-get purge pokdeng"
in_root apt-get purge -y -q pokdeng >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; exit 1; }
if in_root dpkg-query -W -f='${Status}\n' pokdeng 2>/dev/null | grep -qv 'not-installed'; then
    echo "dpkg still knows pokdeng after the purge" >&2
    exit 1
fi
# Every path the package listed must be gone, except folders that other packages also own.
left=()
while read -r path; do
    [ -e "$root$path" ] || continue
    if [ -d "$root$path" ] && in_root dpkg-query -S "$path" >/dev/null 2>&1; then
        continue
    fi
    left+=("$path")
done <"$work/pokdeng.files"
if [ ${#left[@]} -gt 0 ]; then
    echo "left behind after the purge:" >&2
    printf '   %s\n' "${left[@]}" >&2
    exit 1
fi
echo "   all $(wc -l <"$work/pokdeng.files") paths of dpkg -L pokdeng gone or shared with other packages"
unmount_all
remove_root "$root"
rm -rf --one-file-system "$changes"
echo "-- install test passed; screen of the installed game: $work/start.png"
