#!/usr/bin/env bash
# Builds the Debian package and tries it: its contents and metadata (lintian,
# desktop-file-validate, appstreamcli), then the program run from the package
# extracted into a temporary root, and where this runs as root, installed with
# apt-get, run, purged and checked for leftovers.
#   scripts/package-test.sh [BUILD_DIR]   (default: build, configured by scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && realpath -m "${1:-build}")
if ! command -v dpkg-deb > /dev/null; then
  echo "package test skipped: no dpkg-deb"
  exit 0
fi

fail() { echo "package test FAILED: $*" >&2; exit 1; }

work=$(mktemp -d)
installed=""
cleanup() {
  [ -n "$installed" ] && apt-get purge -y -q dovanel > /dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

echo "-- building the package"
cmake --build "$build" --target dovanel dovanel_packaging_files dovanel_screenshot_files \
  --parallel "$(nproc)" > /dev/null 2>&1 || fail "building the package's files"
rm -f "$build"/dovanel_*.deb
(cd "$build" && cpack -G DEB > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$build"/dovanel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one dovanel_*.deb in $build"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "   $(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"

if command -v lintian > /dev/null; then
  echo "-- lintian"
  lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"
fi

echo "-- extracting into a temporary root"
dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
for f in usr/bin/dovanel usr/share/dovanel/MAIN.DAT usr/share/dovanel/GOVLOANS.DAT usr/share/dovanel/DV.INI \
         usr/share/dovanel/help/topic1.html usr/share/dovanel/ClickBg.wav usr/share/dovanel/message2.wav \
         usr/share/applications/dovanel.desktop usr/share/icons/hicolor/scalable/apps/dovanel.svg \
         usr/share/icons/hicolor/48x48/apps/dovanel.png usr/share/icons/hicolor/256x256/apps/dovanel.png \
         usr/share/man/man1/dovanel.1.gz usr/share/doc/dovanel/copyright usr/share/doc/dovanel/changelog.gz \
         usr/share/mime/packages/dovanel.xml; do
  [ -f "$work/root/$f" ] || fail "the package lacks /$f"
done
metainfo=$(ls "$share"/metainfo/*.metainfo.xml) || fail "the package lacks its AppStream metadata"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$share/applications/dovanel.desktop" || fail "desktop-file-validate"
fi
# The desktop entry opens scenario files, of the type the package defines.
echo "-- the scenario files' MIME type"
grep -qx 'Exec=dovanel %f' "$share/applications/dovanel.desktop" || fail "the desktop entry's Exec takes no file (%f)"
grep -qx 'MimeType=application/x-dovanel-scenario;' "$share/applications/dovanel.desktop" \
  || fail "the desktop entry does not declare application/x-dovanel-scenario"
"$root/scripts/check-mime.sh" "$share/mime/packages/dovanel.xml" || fail "the MIME type definition"
if command -v appstreamcli > /dev/null; then
  { appstreamcli validate --no-net "$metainfo" && appstreamcli validate-tree --no-net "$work/root"; } \
    > "$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
fi
# The release date, written once in the changelog, is the metadata's and the manual page's.
gzip -dc "$share/doc/dovanel/changelog.gz" > "$work/changelog"
released=$(dpkg-parsechangelog -l "$work/changelog" -S Date | cut -d' ' -f2-4)
date=$(LC_ALL=C date -d "$released" +%F)  # the day as written, whatever its time zone
month=$(LC_ALL=C date -d "$released" '+%B %Y')
grep -q "<release version=\"$version\" date=\"$date\">" "$metainfo" \
  || fail "the AppStream release is not version $version of $date, as the changelog says"
[ "$(gzip -dc "$share/man/man1/dovanel.1.gz" | sed -n 's/^\.TH DOVANEL 1 "\([^"]*\)".*/\1/p')" = "$month" ] \
  || fail "the manual page's date is not $month, as the changelog says"
echo "   released $date: changelog, AppStream metadata and manual page agree"

# The distribution's hardening: stack protector, FORTIFY_SOURCE, PIE, read-only
# relocations bound at start. (Debian 12's build flags have no control-flow
# protection, so that check is left out.)
command -v hardening-check > /dev/null || fail "hardening-check is missing (scripts/install-deps.sh installs devscripts)"
echo "-- hardening-check"
hardening-check --nocfprotection "$work/root/usr/bin/dovanel" > "$work/hardening.log" 2>&1 \
  || { cat "$work/hardening.log"; fail "hardening-check"; }
sed 's/^/   /' "$work/hardening.log"

# Every screenshot the metadata names was rendered by the screenshot program.
for image in $(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo"); do
  [ "$(head -c 4 "$build/packaging/screenshots/$image" 2> /dev/null | tail -c 3)" = PNG ] \
    || fail "the screenshot $image was not rendered"
done

# Runs the program at $1, whose program folder must be $2 and which is installed
# for the system or not ($3: yes or no): the options that need no display, a
# start without one, then an offscreen start with a fresh data folder that ends
# by itself.
run_program() {
  local program=$1 folder=$2 system=$3 home out
  local nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  echo "-- running $program"
  out=$("${nodisplay[@]}" "$program" --version) || fail "--version"
  [ "$out" = "Dovanel $version" ] || fail "--version printed '$out', not 'Dovanel $version'"
  "${nodisplay[@]}" "$program" --help | grep -q '^Usage: dovanel' || fail "--help"
  local status=0
  "$program" --no-such-option > /dev/null 2> "$work/err" || status=$?
  [ $status -eq 2 ] && grep -q "^Usage: dovanel" "$work/err" || fail "an unknown option: status $status"
  status=0
  (ulimit -c 0; "${nodisplay[@]}" timeout 60 "$program" -style=Fusion) > /dev/null 2> "$work/err" || status=$?
  [ $status -eq 1 ] && [ "$(wc -l < "$work/err")" -eq 1 ] && grep -q "^dovanel: cannot open a window" "$work/err" \
    || { cat "$work/err"; fail "a start without a display: status $status, not one line and status 1"; }

  home=$(mktemp -d "$work/home.XXXX")
  mkdir -m 700 "$home/run"
  status=0
  HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    timeout 120 "$program" --startup-check > "$home/report" 2> "$home/stderr" || status=$?
  sed 's/^/   /' "$home/report"
  [ $status -eq 0 ] || { cat "$home/stderr"; fail "the start-up check ended with status $status"; }
  grep -qx "program folder: $folder" "$home/report" || fail "the program folder is not $folder"
  grep -qx "installed for the system: $system" "$home/report" \
    || fail "the update check does not take $folder for a system location: $system"
  grep -q "^message: INITIALIZING: " "$home/report" || fail "no first-run message"
  grep -qx "window class: $(sed -n 's/^StartupWMClass=//p' "$share/applications/dovanel.desktop")" "$home/report" \
    || fail "the desktop entry's StartupWMClass is not the window's class"
  for f in "$folder"*.DAT "$folder"DV.INI; do
    cmp -s "$f" "$home/data/Dovanel/$(basename "$f")" || fail "$(basename "$f") was not copied into the data folder"
  done
}

run_program "$work/root/usr/bin/dovanel" "$work/root/usr/share/dovanel/" no

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get > /dev/null; then
  echo "-- not root: installing with apt-get skipped"
elif dpkg-query -W -f='${Status}' dovanel 2> /dev/null | grep -q "ok installed"; then
  echo "-- dovanel is installed on this machine already: installing with apt-get skipped"
else
  echo "-- apt-get install"
  cp "$deb" "$work/"
  installed=yes
  (cd "$work" && apt-get install -y -q --no-install-recommends "./$(basename "$deb")") > "$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; fail "apt-get install"; }
  dpkg-query -L dovanel > "$work/files"
  # (Slim images tell dpkg to leave manual pages out.)
  if command -v man > /dev/null && [ -f /usr/share/man/man1/dovanel.1.gz ]; then
    man -w dovanel > /dev/null || fail "man finds no page for dovanel"
  fi
  run_program /usr/bin/dovanel /usr/share/dovanel/ yes
  # shared-mime-info's trigger put the type into the system's database.
  grep -q ':application/x-dovanel-scenario:\*\.dovanel$' /usr/share/mime/globs2 \
    || fail "the installed MIME type is not in the system's database"
  echo "-- apt-get purge"
  apt-get purge -y -q dovanel > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge"; }
  installed=""
  ! dpkg-query -W -f='${Status}' dovanel 2> /dev/null | grep -q "ok installed" || fail "still installed"
  ! grep -q 'application/x-dovanel-scenario' /usr/share/mime/globs2 || fail "the MIME type outlived the package"
  while IFS= read -r path; do
    if [ -d "$path" ]; then
      case "$path" in *dovanel*) fail "left behind: $path" ;; esac
    elif [ -e "$path" ]; then
      fail "left behind: $path"
    fi
  done < "$work/files"
fi
echo "package test passed: $(basename "$deb")"
