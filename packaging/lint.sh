#!/usr/bin/env bash
# Runs lintian on a package and fails on its errors. lintian advises against running as root, so
# as root it runs as nobody, on a copy of the package in a scratch folder under /tmp, started from
# there: nobody may not be able to enter the checkout (a clone under /root, or in any 0700 folder),
# and lintian changes back to the folder it was started in.
#
#     packaging/lint.sh <package.deb>
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 <package.deb>" >&2
    exit 2
fi
lint=(lintian --fail-on error --display-info)
if [ "$(id -u)" -ne 0 ]; then
    exec "${lint[@]}" "$1"
fi

# /tmp rather than TMPDIR: TMPDIR may lie in a folder nobody cannot enter.
scratch=$(mktemp -d /tmp/pokdeng-lintian.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
name=$(basename "$1")
install -m 644 "$1" "$scratch/$name"
chmod 755 "$scratch"
cd "$scratch"
setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env "${lint[@]}" "$name"
