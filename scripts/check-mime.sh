#!/usr/bin/env bash
# Checks the shared-mime-info definition of the scenario files: well-formed
# XML that update-mime-database, run on a temporary copy, accepts without a
# complaint, and that gives the type application/x-dovanel-scenario, its
# comment, the glob *.dovanel and the magic first line "Dovanel scenario".
#   scripts/check-mime.sh [FILE]   (default: packaging/dovanel-mime.xml)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
xml=${1:-$root/packaging/dovanel-mime.xml}
type=application/x-dovanel-scenario
fail() { echo "MIME type check FAILED: $*" >&2; exit 1; }
command -v xmllint > /dev/null || fail "xmllint is missing (scripts/install-deps.sh installs libxml2-utils)"
command -v update-mime-database > /dev/null \
  || fail "update-mime-database is missing (scripts/install-deps.sh installs shared-mime-info)"

xmllint --noout "$xml" || fail "$xml is not well-formed XML"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$xml" "$work/mime/packages/dovanel.xml"
update-mime-database "$work/mime" > "$work/log" 2>&1 || { cat "$work/log"; fail "update-mime-database"; }
# It warns, but goes on, about unknown elements, attributes and media types.
if grep -v -e "is not in the search path" -e "^set by the XDG" -e "^environment variables" \
     -e "^be able to find it" -e "^directories currently searched" -e "^- /" -e "^$" "$work/log"; then
  fail "update-mime-database complained about $xml"
fi
[ -f "$work/mime/$type.xml" ] || fail "no type $type"
grep -q "<comment>Dovanel loan scenario</comment>" "$work/mime/$type.xml" || fail "the comment"
grep -qx "[0-9]*:$type:\*\.dovanel" "$work/mime/globs2" || fail "no glob *.dovanel for $type"
grep -aq "^\[[0-9]*:$type\]" "$work/mime/magic" || fail "no magic for $type"
grep -aq "Dovanel scenario " "$work/mime/magic" || fail "the magic does not match \"Dovanel scenario\""
echo "MIME type $type: glob *.dovanel, magic \"Dovanel scenario\" ($xml)"
