#!/usr/bin/env bash
# Renders manual pages with every groff warning turned on and fails on any
# warning, on a page that man cannot show, or on a missing section.
# Usage: check-man.sh PAGE.1.gz...
set -uo pipefail
status=0
err=$(mktemp)
trap 'rm -f "$err"' EXIT
for page in "$@"; do
    name=$(basename "$page")
    warnings=$(zcat "$page" | groff -ww -z -man -Tutf8 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        echo "check-man: groff -ww warns on $name:"$'\n'"$warnings" >&2
        status=1
    fi
    if ! text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$err" | col -b); then
        echo "check-man: man -l cannot show $name" >&2
        status=1
    fi
    if [ -s "$err" ]; then
        echo "check-man: man -l warns on $name:"$'\n'"$(cat "$err")" >&2
        status=1
    fi
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT "SEE ALSO"; do
        if ! grep -qx "$section" <<<"$text"; then
            echo "check-man: $name has no $section section" >&2
            status=1
        fi
    done
done
[ "$status" -eq 0 ] && echo "check-man: $# pages render without warnings"
exit "$status"
