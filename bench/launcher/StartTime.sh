#!/usr/bin/env bash
# Start time of a bundle's launcher against a bare C program that only spawns
# the same item: both start a program that does nothing.
#   StartTime.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$(type -P true)" "$work/nothing"
"$build/bin/mkbundle" --launch nothing -o "$work/Bench.app" "$work/nothing"
hyperfine --warmup 20 --runs 300 -N \
    --command-name "launcher (Bench.app)" "$work/Bench.app/Contents/MacOS/Bench" \
    --command-name "bare posix_spawn" "$build/bench/launcher/BareSpawn $work/nothing"
