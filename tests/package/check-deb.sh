#!/usr/bin/env bash
# Builds the Debian package of the build tree BUILD_DIR in a temporary folder
# and checks its control fields and its file list.
# Usage: check-deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-deb: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb="$work/orbelle_${version}-1_${arch}.deb"
[ -f "$deb" ] || { ls "$work" >&2; fail "no $(basename "$deb")"; }

field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local value
    value=$(field "$1")
    [ "$value" = "$2" ] || fail "$1 is '$value', expected '$2'"
}
expect_field Package orbelle
expect_field Version "${version}-1"
expect_field Architecture "$arch"
expect_field Section graphics
expect_field Priority optional
expect_field Homepage https://orbelle.example/
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
description=$(field Description)
[ "$(head -n 1 <<<"$description")" = "draw figures of chaotic dynamics" ] ||
    fail "Description synopsis: $(head -n 1 <<<"$description")"
[ "$(wc -l <<<"$description")" -gt 3 ] || fail "Description has no long text"
# Long description lines start with one space; a paragraph break is " .".
tail -n +2 <<<"$description" | grep -qx ' \.' || fail "Description has no paragraph break"
tail -n +2 <<<"$description" | grep -q '^  ' && fail "Description lines are indented twice"

# Depends: the libraries of both binaries, found by dpkg-shlibdeps, and the
# two packages named by hand.
depends=$(field Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-ipafont-gothic \
    xdg-utils; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

# The control part holds no maintainer scripts: the caches are refreshed by
# the triggers of the packages that own them.
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort)
[ "$control" = "$(printf 'control\nmd5sums')" ] || fail "control part holds: $control"

# The files, exactly: nothing from the build tree, no MIME cache made while
# staging.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
expected='./usr/bin/orbelle
./usr/bin/orbelle-cli
./usr/share/applications/orbelle.desktop
./usr/share/bash-completion/completions/orbelle-cli
./usr/share/icons/hicolor/48x48/apps/orbelle.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-drawing.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-favorites.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-history.png
./usr/share/man/man1/orbelle-cli.1.gz
./usr/share/man/man1/orbelle.1.gz
./usr/share/metainfo/example.orbelle.Orbelle.metainfo.xml
./usr/share/mime/packages/orbelle.xml'
[ "$files" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$files"))"

# Every entry belongs to root; programs are executable, the rest is not.
dpkg-deb -c "$deb" | awk '$2 != "root/root" {bad = 1; print} END {exit bad}' >&2 ||
    fail "entries not owned by root"
dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/bin\/./ && $1 != "-rwxr-xr-x" {bad = 1; print}
    $6 !~ /^\.\/usr\/bin\// && $1 ~ /^-/ && $1 != "-rw-r--r--" {bad = 1; print}
    END {exit bad}' >&2 || fail "wrong file modes"

# The staged programs run and name the package's version; the manual pages
# are gzip streams.
dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/orbelle-cli" --version)" = "orbelle-cli $version" ] ||
    fail "orbelle-cli --version: $("$work/root/usr/bin/orbelle-cli" --version)"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/orbelle" --version)" = "orbelle $version" ] ||
    fail "orbelle --version"
for page in orbelle orbelle-cli; do
    gzip -t "$work/root/usr/share/man/man1/$page.1.gz" || fail "$page.1.gz is not gzip"
done
completion="$work/root/usr/share/bash-completion/completions/orbelle-cli"
[ "$(bash --norc -c "source '$completion' && complete -p orbelle-cli")" = \
    "complete -F _orbelle_cli orbelle-cli" ] || fail "the bash completion registers no function"
grep -q "version=\"$version\"" "$work/root/usr/share/metainfo/example.orbelle.Orbelle.metainfo.xml" ||
    fail "the metainfo names no release $version"

echo "check-deb: $(basename "$deb") holds $(wc -l <<<"$files") files; control fields and file list as expected"
