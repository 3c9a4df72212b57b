#!/usr/bin/env bash
# Shows the exception report dialog on a virtual X display, saves a screenshot
# of it, presses its default button with the pointer and checks that
# showDialogBox() returned.
#   desktop-alert-test.sh <ShowExceptionReport program> <screenshot.png>
# Exits 77 (skipped) only when the X tools are not installed.
set -euo pipefail
program=$1
screenshot=$2

for tool in Xvfb xwininfo xdotool xwd convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

# The dialog's window is named after its message.
title="Exception Thrown"
# SDL's message box paints its buttons in this colour (its default scheme).
button_colour="srgb(105,102,99)"
# Bounds against hanging, far beyond what a working run needs: tenths of a
# second for each wait, seconds for the whole program.
patience=300
program_patience=120

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

# wait_until <command...>: runs the command every tenth of a second until it succeeds.
wait_until() {
    local tries=0
    until "$@" >/dev/null 2>&1; do
        ((++tries < patience)) || return 1
        sleep 0.1
    done
}

# Xvfb picks a free display and writes its number to descriptor 3 once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_until test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

APPINTERFACE_ALERT=desktop timeout "$program_patience" "$program" >"$work/output" 2>&1 &
program_pid=$!
wait_until xwininfo -name "$title" || fail "no window named \"$title\": $(cat "$work/output")"

# The window, with a margin, is the screenshot.
geometry=$(xwininfo -name "$title")
x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
width=$(awk '/Width:/ {print $NF}' <<<"$geometry")
height=$(awk '/Height:/ {print $NF}' <<<"$geometry")
xwd -root -silent | convert xwd:- "$work/screen.png"
convert "$work/screen.png" -crop "$((width + 20))x$((height + 20))+$((x - 10))+$((y - 10))" \
    +repage "$screenshot"

# The buttons are the large areas of the button colour; the default button,
# "Continue", stands where the Mac puts OK: rightmost. Its centre is clicked.
click=$(convert "$work/screen.png" -fill white -opaque "$button_colour" -fill black +opaque white \
    -define connected-components:verbose=true -connected-components 8 null: |
    awk '$NF == "srgb(255,255,255)" {
             split($2, box, /[x+]/)
             if (box[1] >= 40 && box[2] >= 15 && box[3] > right) {
                 right = box[3]
                 split($3, centre, ",")
                 at = int(centre[1]) " " int(centre[2])
             }
         }
         END { print at }')
[ -n "$click" ] || fail "no button found on the screen"
# shellcheck disable=SC2086 # two numbers, split on purpose
xdotool mousemove $click click 1

status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -ne 124 ] || fail "the dialog did not close on a click at $click"
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/output")"
grep -q "showDialogBox() returned" "$work/output" || fail "showDialogBox() did not return"
echo "showDialogBox() returned after a click on the default button at $click"
