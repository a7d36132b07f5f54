#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the desktop program need, and those named
# as arguments (what another script needs besides), and nothing when they are all present already.
# Run as root on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev libgtest-dev libbenchmark-dev libcli11-dev
  # A virtual X server for the window screenshot and for starting the program without a display.
  xvfb xauth
  # The validators of the installed desktop entry, metainfo, MIME type and manual pages.
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
