#!/usr/bin/env bash
# Builds the Debian package and checks it: the validators of the desktop entry and of the
# metainfo on the files the package installs, lintian on the package, then the install test
# (install-test.sh) in a fresh Debian 12. `./dev package` runs this after installing what it needs.
#
#     packaging/package.sh <build folder> <install test's work folder>
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
work=$2
started=$SECONDS

echo "== Release build with Debian's hardening flags, in $build"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPOKDENG_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
rm -f "$build"/pokdeng_*.deb
(cd "$build" && cpack -G DEB)
deb=$(echo "$build"/pokdeng_*.deb)

echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

echo "== validators, on the files as the package installs them"
unpacked=$build/unpacked
rm -rf "$unpacked"
dpkg-deb -x "$deb" "$unpacked"
for entry in "$unpacked"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry"
    echo "desktop-file-validate ${entry#"$unpacked"}: passed"
done
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$unpacked"

echo "== lintian"
packaging/lint.sh "$deb"
echo "lintian: no errors"

echo "== install test in a fresh Debian 12"
# debootstrap, chroot and mount need root.
if [ "$(id -u)" -eq 0 ]; then
    packaging/install-test.sh "$deb" "$work"
else
    sudo packaging/install-test.sh "$deb" "$work"
fi

echo "./dev package took $((SECONDS - started)) s"
