#!/usr/bin/env bash
# Installs the build tree BUILD_DIR into a temporary prefix and composes the
# AppStream catalogue of it as a software centre's builder does: no error and
# no warning, the program's icon found at the sizes software centres show,
# and the licence, the content rating, the release and the screenshots in
# the catalogue.
# Usage: check-compose.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "check-compose: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/tree/usr" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
(cd "$work" && appstreamcli compose --no-net --no-color --print-report=full \
    --result-root="$work/out" --origin=orbelle "$work/tree") >"$work/report.txt" 2>&1 ||
    { cat "$work/report.txt" >&2; fail "appstreamcli compose failed"; }
# Each hint is a line "  X: tag" with X its severity; only infos may remain.
if grep -Eq '^ *[EW]: ' "$work/report.txt"; then
    cat "$work/report.txt" >&2
    fail "appstreamcli compose reports errors or warnings"
fi

catalogue=$(zcat "$work/out/usr/share/swcatalog/xml/orbelle.xml.gz")
expect() { grep -qF -- "$1" <<<"$catalogue" || fail "the catalogue lacks $1"; }
expect '<id>example.orbelle.Orbelle</id>'
expect '<project_license>MIT</project_license>'
expect '<content_rating type="oars-1.1"'
# The release is dated 2026-12-10 (midnight UTC).
expect "<release type=\"stable\" version=\"$version\" timestamp=\"$(date -ud 2026-12-10 +%s)\""
for side in 64 128; do
    expect "<icon type=\"cached\" width=\"$side\" height=\"$side\">"
    [ -f "$work/out/usr/share/swcatalog/icons/orbelle/${side}x${side}/example.orbelle.Orbelle.png" ] ||
        fail "no ${side}x${side} icon in the catalogue"
done
[ "$(grep -c '<screenshot' <<<"$catalogue")" -ge 3 ] || fail "the catalogue has fewer than three screenshots"
echo "check-compose: the catalogue holds example.orbelle.Orbelle with its icon, licence and release $version"
