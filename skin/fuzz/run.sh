#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the skin stream reader for a bounded time.
#   skin/fuzz/run.sh [SECONDS]      (default 60)
# Builds the "fuzz" preset (clang, libFuzzer, AddressSanitizer) into
# build/fuzz, or into $SNOMEL_FUZZ_BUILD_DIR if set, and runs from the seed
# corpus in skin/fuzz/corpus. New inputs go to a scratch corpus in the build
# folder, never into the repository. Exits non-zero on any crash, leak,
# read past the end or failed round trip; the input that caused it is left
# in the build folder as crash-*.
set -eu
seconds=${1:-60}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${SNOMEL_FUZZ_BUILD_DIR:-$source_dir/build/fuzz}

if [ -n "${SNOMEL_FUZZ_BUILD_DIR:-}" ]; then
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DSNOMEL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
else
    (cd "$source_dir" && cmake --preset fuzz >/dev/null)
fi
cmake --build "$build_dir" --target fuzz_skinreader -j 2

work="$build_dir/skin/fuzz/work"
mkdir -p "$work/corpus"
cd "$work"
exec "$build_dir/skin/fuzz/fuzz_skinreader" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    "$work/corpus" "$source_dir/skin/fuzz/corpus"
