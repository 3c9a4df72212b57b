#!/bin/sh
# check-host.sh <plugin-host> <mathplugin.bundle> <module exporting nothing>
# What the host prints for good input, and that it refuses bad input with one
# line on stderr, nothing on stdout and a non-zero status.
set -u
host=$1 bundle=$2 bare=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
    echo "FAIL: plugin-host $1: $2"
    failures=$((failures + 1))
}

# prints <expected output> <arguments...>
prints() {
    expected=$1
    shift
    output=$("$host" "$@" 2>"$scratch/stderr")
    status=$?
    if [ "$status" -ne 0 ] || [ "$output" != "$expected" ] || [ -s "$scratch/stderr" ]; then
        fail "$*" "status $status, printed '$output' and '$(cat "$scratch/stderr")', expected '$expected'"
    fi
}

# refuses <arguments...>
refuses() {
    output=$("$host" "$@" 2>"$scratch/stderr")
    status=$?
    lines=$(wc -l <"$scratch/stderr")
    if [ "$status" -eq 0 ] || [ -n "$output" ] || [ "$lines" -ne 1 ]; then
        fail "$*" "status $status, printed '$output', $lines lines on stderr"
    fi
}

# A copy under another name finds its executable by that name.
cp -R "$bundle" "$scratch/Renamed.bundle"
mv "$scratch/Renamed.bundle/Contents/MacOS/mathplugin" "$scratch/Renamed.bundle/Contents/MacOS/Renamed"
cp -R "$bundle" "$scratch/Unrenamed.bundle"
echo "not a module" >"$scratch/text"

prints 42 "$bundle" OnePlus 41
prints 0 "$bundle" OnePlus -1
prints -2147483648 "$bundle" OnePlus 2147483647
prints -2147483647 "$bundle" OnePlus -2147483648
prints 1 "$bundle/" OnePlus 0
prints 1 "$bundle/Contents/MacOS/mathplugin" OnePlus 0
prints 1 "$scratch/Renamed.bundle" OnePlus 0
prints 6 "$bundle" SumShortArray 1 2 3
prints -1 "$bundle" SumShortArray -32768 32767
prints -98304 "$bundle" SumShortArray -32768 -32768 -32768
prints 0 "$bundle" SumShortArray

refuses
refuses "$bundle"
refuses "$scratch/missing.bundle" OnePlus 1
refuses "$scratch/Unrenamed.bundle" OnePlus 1
refuses "$scratch/text" OnePlus 1
refuses "$bare" OnePlus 1
refuses "$bare" SumShortArray 1
refuses "$bundle" TwoPlus 1
refuses "$bundle" oneplus 1
refuses "$bundle" OnePlus
refuses "$bundle" OnePlus 1 2
refuses "$bundle" OnePlus 2147483648
refuses "$bundle" OnePlus -2147483649
refuses "$bundle" OnePlus 4x
refuses "$bundle" OnePlus ""
refuses "$bundle" OnePlus " 1"
refuses "$bundle" OnePlus +1
refuses "$bundle" OnePlus 0x10
refuses "$bundle" SumShortArray 1 32768
refuses "$bundle" SumShortArray -32769
refuses "$bundle" SumShortArray 1.5

[ "$failures" -eq 0 ]
