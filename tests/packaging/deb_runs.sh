#!/bin/sh
# Builds the Debian package from the build tree, has lintian check it (any error or warning
# fails), unpacks it into a scratch root, checks what it holds and starts the unpacked program.
# Usage: deb_runs.sh CPackConfig.cmake WORKDIR CPACK LICENSE
set -eu

config=$1
work=$2
cpack=$3
licence=$4
app_id=com.example.Zorvane
skip=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# cpack needs dpkg-shlibdeps for the library scan.
for tool in dpkg-deb dpkg-shlibdeps file appstreamcli lintian; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool not found (Debian packages dpkg-dev, file, appstream, lintian)"
    exit "$skip"
  fi
done
[ -f "$config" ] || fail "no $config: configure the project first"

rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$config" -G DEB -B "$work/out" || fail "cpack could not build the package"

set -- "$work"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected exactly one .deb in $work/out, found: $*"
deb=$1
root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -I "$deb"

# Info and pedantic tags are shown too, though only errors and warnings fail. Lintian's notice
# that it runs as root is no finding.
status=0
lintian --fail-on error,warning --display-info --pedantic "$deb" >"$work/lintian.log" 2>&1 ||
  status=$?
grep -v '^running with root privileges' "$work/lintian.log" || true
[ "$status" = 0 ] || fail "lintian reports errors or warnings (status $status)"

# Control fields: the library scan must have run, and the fonts are not found by any scan.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zorvane ] || fail "package name is '$(field Package)'"
[ "$(field Section)" = education ] || fail "section is '$(field Section)'"
depends=$(field Depends)
for dep in libqt6widgets6 libc6 fonts-arphic-uming fonts-arphic-ukai; do
  case "$depends" in
    *"$dep"*) ;;
    *) fail "Depends lacks $dep: $depends" ;;
  esac
done

# Every installed file with the kind that `file` must report for it.
while IFS='|' read -r path kind; do
  [ -f "$root/$path" ] || fail "missing $path"
  case "$(file -b "$root/$path")" in
    *"$kind"*) ;;
    *) fail "$path is '$(file -b "$root/$path")', expected '$kind'" ;;
  esac
done <<TABLE
usr/bin/zorvane|ELF 64-bit
usr/share/applications/$app_id.desktop|text
usr/share/metainfo/$app_id.metainfo.xml|XML
usr/share/icons/hicolor/scalable/apps/$app_id.svg|SVG
usr/share/icons/hicolor/48x48/apps/$app_id.png|PNG image data, 48 x 48,
usr/share/icons/hicolor/128x128/apps/$app_id.png|PNG image data, 128 x 128,
usr/share/icons/hicolor/256x256/apps/$app_id.png|PNG image data, 256 x 256,
usr/share/doc/zorvane/copyright|text
usr/share/doc/zorvane/changelog.gz|gzip compressed data, max compression
usr/share/man/man1/zorvane.1.gz|gzip compressed data, max compression
TABLE
[ -x "$root/usr/bin/zorvane" ] || fail "usr/bin/zorvane is not executable"

# The copyright file ends with the licence's own paragraph, which must be LICENSE word for word.
awk 'text { sub(/^ /, ""); sub(/^\.$/, ""); print } last == "" && /^License: Expat$/ { text = 1 }
  { last = $0 }' "$root/usr/share/doc/zorvane/copyright" | diff - "$licence" ||
  fail "the copyright file's licence is not LICENSE"

# Build-only artefacts (static libraries, headers, tools) have no place in the package.
stray=$(cd "$root" && find . -type f ! -path './usr/bin/*' ! -path './usr/share/*')
[ -z "$stray" ] || fail "files outside usr/bin and usr/share: $stray"

# The menu entry must start the installed binary and name an installed icon.
desktop=$root/usr/share/applications/$app_id.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$(find "$root/usr/share/icons/hicolor" -name "$icon_name.*")" ] ||
  fail "Icon=$icon_name names no installed icon"

# Software centres read the installed tree as a whole: the metainfo's launchable must be there.
appstreamcli validate-tree --no-net --strict "$root" || fail "the installed tree does not validate"

# Run from the scratch folder, away from the build tree: the figures must be inside the binary.
cd "$work"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/zorvane" >"$work/run.log" 2>&1 &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" || true
  echo "zorvane was still running after 2 s"
else
  status=0
  wait "$pid" || status=$?
  cat "$work/run.log"
  fail "zorvane ended within 2 s with status $status"
fi
