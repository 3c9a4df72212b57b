#!/usr/bin/env bash
# Shows an alert on a virtual X display, presses one of its buttons and checks
# what the program printed once the alert had closed.
#   desktop-alert-test.sh <title start> <press> <expected line> <screenshot.png or -> <program>
# <press>: click-right or click-left (a pointer click on the rightmost or the
# leftmost button), key-Return or key-Escape (a key, the window being given the
# focus first: with no window manager nothing else gives it).
# Exits 77 (skipped) only when the X tools are not installed.
set -euo pipefail
title=$1
press=$2
expected=$3
screenshot=$4
program=$5

for tool in Xvfb xwininfo xdotool xwd convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

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

# The alert's top-level window, as xwininfo lists it:
#   0x200002 "Title": ()  401x172+311+198  +311+198
alert_window() {
    xwininfo -root -children | grep -F "\"$title"
}

# Xvfb picks a free display and writes its number to descriptor 3 once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_until test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

APPINTERFACE_ALERT=desktop timeout "$program_patience" "$program" >"$work/output" 2>&1 &
program_pid=$!
wait_until alert_window || fail "no window titled \"$title...\": $(cat "$work/output")"
read -r window width height x y < <(alert_window |
    awk '{ split($(NF-1), size, /[x+]/); split($NF, at, /\+/); print $1, size[1], size[2], at[2], at[3] }')

xwd -root -silent | convert xwd:- "$work/screen.png"
if [ "$screenshot" != - ]; then
    # The window with a margin.
    convert "$work/screen.png" -crop "$((width + 20))x$((height + 20))+$((x - 10))+$((y - 10))" \
        +repage "$screenshot"
fi

# The buttons are the large areas of the button colour on the screen: prints
# the centre of the rightmost (right) or the leftmost (left) one.
button_centre() {
    convert "$work/screen.png" -fill white -opaque "$button_colour" -fill black +opaque white \
        -define connected-components:verbose=true -connected-components 8 null: |
        awk -v side="$1" '$NF == "srgb(255,255,255)" {
                 split($2, box, /[x+]/)
                 if (box[1] < 40 || box[2] < 15) next
                 if (found && (side == "right" ? box[3] <= edge : box[3] >= edge)) next
                 found = 1
                 edge = box[3]
                 split($3, centre, ",")
                 at = int(centre[1]) " " int(centre[2])
             }
             END { print at }'
}

case "$press" in
click-right | click-left)
    at=$(button_centre "${press#click-}")
    [ -n "$at" ] || fail "no button found on the screen"
    # shellcheck disable=SC2086 # two numbers, split on purpose
    xdotool mousemove $at click 1
    ;;
key-*)
    xdotool windowfocus --sync "$window" key "${press#key-}"
    ;;
*) fail "unknown press: $press" ;;
esac

status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -ne 124 ] || fail "the alert did not close on $press"
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/output")"
grep -qxF "$expected" "$work/output" || fail "expected \"$expected\", got: $(cat "$work/output")"
echo "$press: $expected"
