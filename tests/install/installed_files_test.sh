#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop, a package and a user rely
# on: the validators of the desktop entry, the AppStream metainfo and the MIME type, the manual
# pages, the icon sizes, the release notes' version and both installed programs.
# Usage: installed_files_test.sh BUILD_FOLDER PROJECT_VERSION
set -euo pipefail
build=$1
version=$2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The validators print hints, warnings and errors; only hints are accepted.
desktop=$share/applications/vantor2000.desktop
if ! report=$(desktop-file-validate "$desktop" 2>&1) || grep -E ': (error|warning):' <<<"$report"; then
  fail "desktop-file-validate: $report"
fi
grep -qx 'Exec=vantor2000 %f' "$desktop" || fail "the desktop entry does not start vantor2000 with a file"
grep -qx 'MimeType=application/x-kx7-magic-data;' "$desktop" || fail "the desktop entry lacks the MIME type"

metainfo=$share/metainfo/vantor2000.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
if grep -E '^ *[EW]: ' <<<"$report"; then
  fail "appstreamcli validate reports: $report"
fi
newest=$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$metainfo")
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, the project is $version"

changelog=$(gzip -dc "$share/doc/vantor2000/changelog.gz" | sed -n '1s/^vantor2000 (\([^)]*\)).*/\1/p')
[ "$changelog" = "$version" ] || fail "the changelog's newest entry is $changelog, the project is $version"

# The MIME type: well-formed, and taken by the database tool, which finds both the name and the
# first line.
mime=$share/mime/packages/vantor2000.xml
xmllint --noout "$mime" || fail "xmllint refuses $mime"
if ! report=$(XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>&1) || [ -n "$report" ]; then
  fail "update-mime-database: $report"
fi
grep -q '^50:application/x-kx7-magic-data:\*\.md2$' "$share/mime/globs2" || fail "no glob *.md2 in the MIME database"
grep -q 'application/x-kx7-magic-data' "$share/mime/magic" || fail "no first-line match in the MIME database"

for page in vantor2000 vantor2000-cli; do
  file=$share/man/man1/$page.1.gz
  report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null) ||
    fail "man cannot format $file"
  [ -z "$report" ] || fail "man warns about $file: $report"
  gzip -dc "$file" | grep -q "Vantor-2000 $version" || fail "$file does not carry version $version"
done

# Each PNG's width and height (bytes 16 to 23 of the file, big-endian) match its folder's name.
for png in "$share"/icons/hicolor/*/apps/vantor2000.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
  height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
  [ "${width}x$height" = "$size" ] || fail "$png is ${width}x$height"
done
for size in 16x16 32x32 48x48 256x256 scalable; do
  ls "$share/icons/hicolor/$size/apps/vantor2000."* >/dev/null 2>&1 || fail "no $size icon"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/vantor2000.svg" || fail "the SVG icon is not well-formed"

[ -f "$share/bash-completion/completions/vantor2000-cli" ] || fail "no bash completion"
[ -f "$share/doc/vantor2000/copyright" ] || fail "no copyright file"

# The installed programs, without a display.
cli=$("$prefix/bin/vantor2000-cli" --version) || fail "vantor2000-cli --version failed"
[ "$cli" = "vantor2000-cli $version" ] || fail "vantor2000-cli --version printed: $cli"
app=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vantor2000" --version) ||
  fail "vantor2000 --version failed"
[ "$app" = "Vantor-2000 $version" ] || fail "vantor2000 --version printed: $app"

[ "$failures" -eq 0 ] || exit 1
echo "Installed files valid"
