#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
# Usage: scripts/deps.sh [base|ui|package|all|windows]   (default: all: base, ui
# and package)
set -euo pipefail

base=(cmake ninja-build g++ libgtest-dev pkg-config clang libclang-rt-14-dev python3-jsonschema
      libexpat1-dev nlohmann-json3-dev)
ui=(qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    fonts-arphic-uming fonts-arphic-ukai xvfb xauth xdotool imagemagick)
# The Debian package: building it (dpkg-shlibdeps, file), checking it (lintian,
# desktop-file-validate) and rendering the manual page (man-db).
package=(dpkg-dev file lintian desktop-file-utils man-db)

case "${1:-all}" in
  base) wanted=("${base[@]}") ;;
  ui) wanted=("${ui[@]}") ;;
  package) wanted=("${package[@]}") ;;
  all) wanted=("${base[@]}" "${ui[@]}" "${package[@]}") ;;
  # The cross tools and Wine; Xvfb, the Chinese locale and fonts for the
  # windows' tests under Wine; xdotool for the test with real input; zip
  # and unzip for the package.
  windows) wanted=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nlohmann-json3-dev
                   wine wine64 googletest xvfb xdotool locales
                   fonts-arphic-uming fonts-arphic-ukai zip unzip) ;;
  *) echo "usage: $0 [base|ui|package|all|windows]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
