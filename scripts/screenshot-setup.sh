# Sourced by the screenshot scripts from the repository's top folder: installs what a virtual X
# server and the screenshots need, when missing, builds the program and copies it into a folder of
# its own, $place (removed on exit), with its runtime folder.
scripts/install-deps.sh xdotool imagemagick
scripts/build.sh

place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
cp build/bin/vantor2000 "$place/"
export XDG_RUNTIME_DIR="$place/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
