#!/usr/bin/env bash
# Checks that every C++ source file is formatted as .clang-format says; prints
# the files that are not and exits with status 1 when there is one.
set -u
cd "$(dirname "$0")/.."
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
    echo "format: clang-format is not installed" >&2
    exit 1
fi
status=0
while IFS= read -r file; do
    if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "format: $file differs from .clang-format (run: clang-format -i $file)"
        status=1
    fi
done < <(git ls-files 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.h' 'bench/*.cpp')
[ "$status" -eq 0 ] && echo "format: every source file matches .clang-format"
exit "$status"
