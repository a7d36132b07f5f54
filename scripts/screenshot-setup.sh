# Sourced by the screenshot scripts from the repository's top folder: installs what a virtual X
# server and the screenshots need, when missing, and builds the program.
missing=()
for package in xvfb xauth xdotool imagemagick; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
scripts/build.sh
