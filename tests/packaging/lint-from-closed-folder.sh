#!/usr/bin/env bash
# packaging/lint.sh run by root from a checkout that nobody cannot enter (a clone under /root, or
# in any 0700 folder), on a small package that lintian passes: it must pass there too. Skipped
# (77) unless run as root, where lintian changes user.
#
#     lint-from-closed-folder.sh <lint script>
set -euo pipefail
[ "$(id -u)" -eq 0 ] || exit 77
lint=$(realpath "$1")

closed=$(mktemp -d)
trap 'rm -rf "$closed"' EXIT
chmod 700 "$closed"
checkout=$closed/checkout
pkg=$checkout/pkg
mkdir -p "$pkg/DEBIAN" "$pkg/usr/share/doc/demo"
chmod -R 755 "$checkout"
cat >"$pkg/DEBIAN/control" <<'CONTROL'
Package: demo
Version: 1.0
Architecture: all
Section: games
Priority: optional
Maintainer: A Developer <dev@example.org>
Description: small package for a lintian check
 It holds nothing but its own documents.
CONTROL
cat >"$pkg/usr/share/doc/demo/copyright" <<'COPYRIGHT'
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/

Files: *
Copyright: 2026 A Developer
License: MIT
COPYRIGHT
printf 'demo (1.0) unstable; urgency=low\n\n  * First.\n\n -- A Developer <dev@example.org>  Thu, 10 Dec 2026 00:00:00 +0000\n' \
    | gzip -9n >"$pkg/usr/share/doc/demo/changelog.gz"
dpkg-deb --root-owner-group --build "$pkg" "$checkout/demo_1.0_all.deb" >/dev/null

cd "$checkout"
"$lint" demo_1.0_all.deb
