#!/bin/sh
# check-install.sh <cmake> <build dir> <bundle folder under the prefix>
# Installs the plug-in's component into an empty prefix; the installed host
# then loads the installed bundle.
set -eu
cmake=$1 build=$2 bundle=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --component mathplugin --prefix "$prefix" >/dev/null
grep -q '<string>BNDL</string>' "$prefix/$bundle/Contents/Info.plist"
test -f "$prefix/include/mathplugin/mathplugin.h"
result=$("$prefix/bin/plugin-host" "$prefix/$bundle" OnePlus 41)
if [ "$result" != 42 ]; then
    echo "installed host printed '$result'"
    exit 1
fi
