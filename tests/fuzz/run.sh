#!/bin/sh
# Builds the fuzz target with clang into build-fuzz/ at the repository root and runs it for the
# given number of seconds (60 by default), starting from a corpus of valid files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out"
mkdir -p "$out/corpus"
cp "$here"/corpus/* "$out/corpus/" 2>/dev/null || true
exec "$out/list_file_fuzz" -max_total_time="${1:-60}" -max_len=4096 "$out/corpus"
