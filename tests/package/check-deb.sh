#!/usr/bin/env bash
# Builds the Debian package of the build tree BUILD_DIR in a temporary folder
# and checks its control fields, its file list, its documentation (copyright
# and changelogs), the icon sizes and the hardening of its programs.
# Usage: check-deb.sh BUILD_DIR VERSION SOURCE_DIR [HARDENED]
# HARDENED is OFF for a build without the hardening flags (the sanitizer
# builds), whose programs are then not checked for them.
set -euo pipefail
build=$1
version=$2
source=$3
hardened=${4:-ON}

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
./usr/share/doc/orbelle/changelog.Debian.gz
./usr/share/doc/orbelle/changelog.gz
./usr/share/doc/orbelle/copyright
./usr/share/icons/hicolor/128x128/apps/orbelle.png
./usr/share/icons/hicolor/16x16/apps/orbelle.png
./usr/share/icons/hicolor/24x24/apps/orbelle.png
./usr/share/icons/hicolor/256x256/apps/orbelle.png
./usr/share/icons/hicolor/32x32/apps/orbelle.png
./usr/share/icons/hicolor/48x48/apps/orbelle.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-drawing.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-favorites.png
./usr/share/icons/hicolor/48x48/mimetypes/application-x-orbelle-history.png
./usr/share/icons/hicolor/64x64/apps/orbelle.png
./usr/share/lintian/overrides/orbelle
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

root=$work/root
doc=$root/usr/share/doc/orbelle

# The copyright file is machine-readable (DEP-5): its header names the format,
# one paragraph covers every file, and the licence text is that of LICENSE,
# word for word, in the file's indented form (" ." for an empty line).
copyright=$doc/copyright
[ "$(head -n 1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "copyright: first line is '$(head -n 1 "$copyright")'"
grep -qx 'Upstream-Name: Orbelle' "$copyright" || fail "copyright names no Upstream-Name"
grep -qx 'Files: \*' "$copyright" || fail "copyright has no 'Files: *' paragraph"
grep -qx 'Copyright: [0-9]\{4\} Orbelle developers' "$copyright" || fail "copyright holder"
[ "$(grep -c '^License: Expat$' "$copyright")" = 2 ] ||
    fail "copyright: 'License: Expat' should name the files' licence and then give its text"
licence_text=$(awk 'found && /^[^ ]/ {exit} found {print} /^License: Expat$/ {n++; if (n == 2) found = 1}' \
    "$copyright" | sed 's/^ //; s/^\.$//')
expected_text=$(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE")
[ "$licence_text" = "$expected_text" ] || fail "the licence text differs from LICENSE:
$(diff <(echo "$expected_text") <(echo "$licence_text"))"
grep -qx 'Copyright (c) [0-9]\{4\} Orbelle developers' "$source/LICENSE" || fail "LICENSE holder"

# Both changelogs are gzip streams without a name or a time stamp (gzip -9n:
# the flag byte and the four time bytes are zero), newest entry first.
for changelog in changelog.gz changelog.Debian.gz; do
    gzip -t "$doc/$changelog" || fail "$changelog is not gzip"
    header=$(od -An -tx1 -j3 -N5 "$doc/$changelog" | tr -d ' \n')
    [ "$header" = 0000000000 ] || fail "$changelog carries a name or a time stamp ($header)"
done
[ "$(zcat "$doc/changelog.gz")" = "$(cat "$source/CHANGELOG.md")" ] ||
    fail "changelog.gz is not CHANGELOG.md"
first_release=$(zcat "$doc/changelog.gz" | grep -m 1 '^## ')
[[ "$first_release" =~ ^"## $version — "[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] ||
    fail "changelog.gz: the newest entry is '$first_release', expected $version with its date"
parsed=$work/changelog.Debian
zcat "$doc/changelog.Debian.gz" >"$parsed"
[ "$(dpkg-parsechangelog -l "$parsed" -S Version)" = "${version}-1" ] ||
    fail "changelog.Debian.gz: version $(dpkg-parsechangelog -l "$parsed" -S Version)"
[ "$(dpkg-parsechangelog -l "$parsed" -S Source)" = orbelle ] || fail "changelog.Debian.gz: source"
[ "$(dpkg-parsechangelog -l "$parsed" -S Maintainer)" = "$(field Maintainer)" ] ||
    fail "changelog.Debian.gz is signed by '$(dpkg-parsechangelog -l "$parsed" -S Maintainer)'"

# The program's icon at each size of the theme, each PNG as large as its
# folder says (width and height are the big-endian words at bytes 16 and 20).
for side in 16 24 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${side}x${side}/apps/orbelle.png
    [ "$(od -An -tx1 -N8 "$icon" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
    size=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$size" = "${side}x${side}" ] || fail "the ${side}x${side} icon is $size"
done
entry=$root/usr/share/applications/orbelle.desktop
grep -qx 'Icon=orbelle' "$entry" || fail "the desktop entry does not use the icon"
grep -q '^Keywords=.' "$entry" || fail "the desktop entry has no Keywords"
grep -q '^Keywords\[ja\]=.' "$entry" || fail "the desktop entry has no Japanese Keywords"

# Both programs are hardened as Debian builds them: full RELRO bound at
# start-up, stack canaries, fortified C library calls, and no .comment left.
for program in orbelle orbelle-cli; do
    [ "$hardened" = ON ] || continue
    binary=$root/usr/bin/$program
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "$program has no RELRO segment"
    readelf -dW "$binary" | grep -Eq '\((FLAGS|FLAGS_1)\).*\bNOW\b' || fail "$program is not bound now"
    symbols=$(readelf --dyn-syms -W "$binary")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protector"
    grep -Eq '__[a-z_]+_chk(@|$| )' <<<"$symbols" || fail "$program calls no fortified function"
    readelf -SW "$binary" | grep -q ' \.comment ' && fail "$program keeps its .comment section"
done

echo "check-deb: $(basename "$deb") holds $(wc -l <<<"$files") files; control fields and file list as expected"
