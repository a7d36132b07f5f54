#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it into this system, runs both
# programs from /usr/bin and removes the package again. Run as root on Debian 12; it changes the
# system, so the normal test run does not call it.
set -euo pipefail
cd "$(dirname "$0")/.."

if dpkg-query -W -f='${db:Status-Status}' vantor2000 2>/dev/null | grep -qx installed; then
  echo "vantor2000 is installed already; remove it first (apt-get remove vantor2000)" >&2
  exit 1
fi
scripts/install-deps.sh lintian dpkg-dev

scripts/build.sh
rm -rf build/package
(cd build && cpack -G DEB -B package >/dev/null)
package=$(realpath build/package/vantor2000_*.deb)
version=$(dpkg-deb -f "$package" Version)
echo "Built $package"
dpkg-deb -f "$package" Depends

echo "== lintian"
# Every tag is shown, information included; only errors fail.
status=0
report=$(lintian --fail-on error --display-info "$package" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
if [ "$status" -ne 0 ]; then
  echo "lintian reports errors" >&2
  exit 1
fi
echo "lintian: no errors"

echo "== install"
home=$(mktemp -d)
cleanup() {
  apt-get remove -y -qq vantor2000 >/dev/null 2>&1 || true
  rm -rf "$home"
}
trap cleanup EXIT
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "$package" >/dev/null
dpkg -L vantor2000 | grep -E '^/usr/(bin|share/(applications|metainfo|man|mime/packages))/'
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

echo "== run"
cli=$(vantor2000-cli --version) || fail "vantor2000-cli --version"
echo "vantor2000-cli --version: $cli"
[ "$cli" = "vantor2000-cli $version" ] || fail "expected vantor2000-cli $version"
app=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM vantor2000 --version) || fail "vantor2000 --version"
echo "vantor2000 --version: $app"
[ "$app" = "Vantor-2000 $version" ] || fail "expected Vantor-2000 $version"
[ "$(command -v vantor2000)" = /usr/bin/vantor2000 ] || fail "vantor2000 is not the installed one"

# A window run as root keeps its settings in the user's folder, never in /usr/bin.
mkdir -m 0700 "$home/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME= XDG_RUNTIME_DIR="$home/runtime" \
  QT_QPA_PLATFORM=offscreen VANTOR_QUIT_WHEN_SHOWN=1 vantor2000 2>/dev/null || fail "the window run failed"
[ -f "$home/.config/vantor2000/vantor2000.ini" ] || fail "no settings in $home/.config/vantor2000"
[ ! -e /usr/bin/vantor2000.ini ] || fail "the window run wrote /usr/bin/vantor2000.ini"
echo "settings written to ~/.config/vantor2000/vantor2000.ini, none in /usr/bin"

# The package's triggers registered the MIME type and the manual pages are found.
grep -q ':application/x-kx7-magic-data:\*\.md2$' /usr/share/mime/globs2 || fail "MIME type not registered"
man -w vantor2000 vantor2000-cli >/dev/null || fail "manual pages not found"

echo "== remove"
apt-get remove -y -qq vantor2000 >/dev/null
if [ -e /usr/bin/vantor2000 ] || [ -e /usr/bin/vantor2000-cli ]; then
  fail "programs left after removal"
fi
if grep -q 'application/x-kx7-magic-data' /usr/share/mime/globs2; then
  fail "MIME type left after removal"
fi
echo "removed"

[ "$failures" -eq 0 ] || exit 1
echo "Package test passed: $package"
