#!/usr/bin/env bash
# How long a bundle's executable takes from its start to its exit:
#   a. the launcher, which reads the Info.plist, finds the item in Resources and
#      starts it;
#   b. BareSpawn, a C program that reads nothing and only posix_spawns the item;
#   c. a #!/bin/sh wrapper that execs the item;
# side by side on one bundle with 10 items in Resources, then the launcher alone
# with 100 and 1,000 items. The item is a program that does nothing, named so
# that it comes last among the items, where the launcher's search ends.
#   StartTime.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)

if ! command -v hyperfine >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq hyperfine >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$(type -P true)" "$work/zz-item"

# bundle <items>: Bench<items>.app, holding the item and <items> - 1 empty files.
bundle() {
    local items=$1 fillers="$work/fillers$1"
    mkdir "$fillers"
    for ((i = 1; i < items; ++i)); do
        : >"$fillers/filler-$i"
    done
    "$build/bin/mkbundle" --launch zz-item -o "$work/Bench$items.app" "$work/zz-item" \
        "$fillers"/* >/dev/null
}
for items in 10 100 1000; do
    bundle "$items"
done

# ${0%/*} is the wrapper's own folder, found without starting dirname; the
# wrapper expands it, not this script.
wrapper="$work/Bench10.app/Contents/MacOS/wrapper"
# shellcheck disable=SC2016
printf '#!/bin/sh\nexec "${0%%/*}/../Resources/zz-item"\n' >"$wrapper"
chmod +x "$wrapper"

# Medians of the wall-clock time, since the launched items and other jobs on the
# machine make outliers; the pause before each run lets the item started by the
# run before end first. The CPU time (user and system, a mean: hyperfine gives
# no median of it) moves less with the machine's load.
# compare <csv> <runs> <commands...>: hyperfine, then each command against the first.
compare() {
    local csv=$1 runs=$2
    shift 2
    hyperfine --warmup 5 --runs "$runs" --prepare "sleep 0.02" -N --export-csv "$csv" "$@" >/dev/null
    # Columns: command, mean, stddev, median, user, system, min, max (seconds).
    awk -F, 'NR == 1 { next }
             NR == 2 { wall = $4; cpu = $5 + $6 }
             { printf "%-22s median %8.2f ms %7.2fx   CPU %8.2f ms %7.2fx\n",
                      $1, $4 * 1000, $4 / wall, ($5 + $6) * 1000, ($5 + $6) / cpu }' "$csv"
}

echo "-- one bundle with 10 items, against BareSpawn"
compare "$work/side-by-side.csv" 300 \
    --command-name "BareSpawn" "$build/bench/launcher/BareSpawn $work/Bench10.app/Contents/Resources/zz-item" \
    --command-name "launcher 10 items" "$work/Bench10.app/Contents/MacOS/Bench10" \
    --command-name "sh wrapper" "$wrapper"
echo "-- the launcher as Resources grows, against 10 items"
compare "$work/items.csv" 10 \
    --command-name "launcher 10 items" "$work/Bench10.app/Contents/MacOS/Bench10" \
    --command-name "launcher 100 items" "$work/Bench100.app/Contents/MacOS/Bench100" \
    --command-name "launcher 1000 items" "$work/Bench1000.app/Contents/MacOS/Bench1000"
