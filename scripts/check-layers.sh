#!/usr/bin/env bash
# Checks that every source file includes only from its own layer and the
# layers below it:
#   formulas  <- engine <- store          (the core: plain C++, no Qt)
#   core      <- imageio                  (image files: Qt Gui, no widgets)
#   engine    <- widgets <- panes, view   (Qt Widgets)
#   all of the above <- app               (the program)
#   core, imageio <- cli                  (Qt Gui for image files only)
# Prints every violation and exits with status 1 when there is one.
set -u
cd "$(dirname "$0")/.."

status=0
report() {
    echo "layering: $1"
    status=1
}

# includes LAYER PATTERN: the include lines of LAYER's files matching PATTERN.
includes() {
    grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" "src/$1" \
        --include='*.h' --include='*.cpp' --include='*.inc' 2>/dev/null
}

qt='Q[A-Za-z]+|Qt[A-Za-z]*/'
gui_layers='app|view|panes|widgets'

for layer in formulas engine store; do
    while IFS= read -r hit; do [ -n "$hit" ] && report "Qt in the core: $hit"; done \
        < <(includes "$layer" "$qt")
done
while IFS= read -r hit; do [ -n "$hit" ] && report "formulas reach up: $hit"; done \
    < <(includes formulas "(engine|store|imageio|cli|$gui_layers)/")
while IFS= read -r hit; do [ -n "$hit" ] && report "engine reaches up: $hit"; done \
    < <(includes engine "(store|imageio|cli|$gui_layers)/")
while IFS= read -r hit; do [ -n "$hit" ] && report "store reaches up: $hit"; done \
    < <(includes store "(imageio|cli|$gui_layers)/")
while IFS= read -r hit; do [ -n "$hit" ] && report "imageio reaches up: $hit"; done \
    < <(includes imageio "(cli|$gui_layers)/|QtWidgets|QWidget|QApplication|QDialog|QMainWindow")
while IFS= read -r hit; do [ -n "$hit" ] && report "widgets reach up: $hit"; done \
    < <(includes widgets "(store|imageio|cli|app|view|panes)/")
for layer in view panes; do
    while IFS= read -r hit; do [ -n "$hit" ] && report "$layer reaches the program: $hit"; done \
        < <(includes "$layer" "(cli|app)/")
done
while IFS= read -r hit; do [ -n "$hit" ] && report "view and panes depend on each other: $hit"; done \
    < <(includes view "panes/"; includes panes "view/")
while IFS= read -r hit; do [ -n "$hit" ] && report "GUI in the command-line tool: $hit"; done \
    < <(includes cli "($gui_layers)/|QtWidgets|QWidget|QApplication|QDialog|QMainWindow")

if [ "$status" -eq 0 ]; then
    echo "layering: every include stays within its layer and those below it"
fi
exit "$status"
