#!/bin/sh
# check-symbols.sh <nm> <module> <imports: none|any>
# The module's dynamic symbol table defines exactly the two functions; with
# "none", it also imports no function at all (the weak references that the C
# runtime's start files leave are no calls of ours).
set -eu
nm=$1 module=$2 imports=$3

defined=$("$nm" -D --defined-only "$module" | awk '{ print $2, $3 }')
expected="T OnePlus
T SumShortArray"
if [ "$defined" != "$expected" ]; then
    printf 'exports of %s:\n%s\nexpected:\n%s\n' "$module" "$defined" "$expected"
    exit 1
fi

if [ "$imports" = none ]; then
    strong=$("$nm" -D --undefined-only "$module" | awk '$1 == "U" { print $2 }')
    if [ -n "$strong" ]; then
        printf 'imports of %s:\n%s\n' "$module" "$strong"
        exit 1
    fi
fi
