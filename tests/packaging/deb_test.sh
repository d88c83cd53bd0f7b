#!/usr/bin/env bash
# The Debian package as a user gets it: built by CPack from this build
# folder, named corvel_VERSION_ARCH.deb, with the fields and dependencies a
# Debian user expects, without an error or warning from lintian, holding
# exactly the installed files, and working when unpacked into a throwaway
# root: corvel-check shows the package's version and checks a dictionary,
# and desktop-file-validate accepts the desktop entry.
# Usage: deb_test.sh BUILD-FOLDER FIXTURES-FOLDER
set -euo pipefail
build=$1 fixtures=$2
tmp=$(mktemp -d "${TMPDIR:-/tmp}/corvel-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
debs=("$tmp"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

version=$(field Version)
expected_name="corvel_${version}_$(dpkg --print-architecture).deb"
[ "$(basename "$deb")" = "$expected_name" ] || fail "package named $(basename "$deb"), not $expected_name"
for name in Maintainer Description Section Priority Homepage; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done
# The fonts by name; the libraries as dpkg-shlibdeps computes them.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/ .*//')
for package in fonts-arphic-uming fonts-arphic-ukai libc6 libstdc++6 libqt6widgets6; do
  grep -qxF -- "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# Warnings fail too (an icon of the wrong size is one, a missing manual page
# another).
lintian_status=0
lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1 ||
  lintian_status=$?
grep -v 'running with root privileges' "$tmp/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors or warnings"
! grep -qE '^[EW]: ' "$tmp/lintian.log" || fail "lintian reports errors or warnings"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$tmp/files"
sort >"$tmp/expected" <<'LIST'
./usr/bin/corvel
./usr/bin/corvel-check
./usr/share/applications/corvel.desktop
./usr/share/doc/corvel/README.md
./usr/share/doc/corvel/changelog.gz
./usr/share/doc/corvel/copyright
./usr/share/icons/hicolor/16x16/apps/corvel.png
./usr/share/icons/hicolor/24x24/apps/corvel.png
./usr/share/icons/hicolor/32x32/apps/corvel.png
./usr/share/icons/hicolor/48x48/apps/corvel.png
./usr/share/icons/hicolor/64x64/apps/corvel.png
./usr/share/icons/hicolor/128x128/apps/corvel.png
./usr/share/icons/hicolor/256x256/apps/corvel.png
./usr/share/man/man1/corvel-check.1.gz
./usr/share/man/man1/corvel.1.gz
LIST
diff -u "$tmp/expected" "$tmp/files" || fail "the package's files differ from the installed set"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
shown=$("$root/usr/bin/corvel-check" --version | sed -n 1p)
[ "$shown" = "corvel-check $version" ] || fail "corvel-check --version: $shown, package $version"

mkdir "$tmp/dic"
cp "$fixtures/game.txt" "$tmp/dic/"
status=0
"$root/usr/bin/corvel-check" --time '2002-05-30 14:05:09' "$tmp/dic/game.txt" || status=$?
[ "$status" -eq 1 ] || fail "corvel-check exit status $status on a dictionary with findings, not 1"
cmp "$fixtures/game.check.log" "$tmp/dic/game/game.log" || fail "check log differs from game.check.log"

entry=$root/usr/share/applications/corvel.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
echo "$(basename "$deb"): built, lintian without error, runs unpacked"
