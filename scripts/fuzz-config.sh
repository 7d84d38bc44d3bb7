#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs each in turn: the configuration
# loader, then the bookmarks import.
#   scripts/fuzz-config.sh            60 seconds in all, shared between the targets
#   scripts/fuzz-config.sh 20         20 seconds in all
#   scripts/fuzz-config.sh runs=N     N executions of each
# New inputs found go to build/fuzz/corpus-<target>; the committed seeds stay as they are. A
# crash leaves its input in build/fuzz/ and makes the script fail.
set -eu
cd "$(dirname "$0")/.."

targets="config:loader:20000 bookmarks:bookmarks:65536" # name, seed folder, longest input
count=2

total=${1:-60}
case "$total" in
runs=*) limit="-runs=${total#runs=}" ;;
*) limit="-max_total_time=$(((total + count - 1) / count))" ;;
esac

if ! command -v clang++ >/dev/null; then
    echo "clang++ is needed: apt-get install -y clang" >&2
    exit 2
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_SANITIZE=OFF >/dev/null
cmake --build build/fuzz --target vantrel_config_fuzz vantrel_bookmarks_fuzz -j2

for target in $targets; do
    name=${target%%:*}
    rest=${target#*:}
    seeds=${rest%%:*}
    longest=${rest#*:}
    mkdir -p "build/fuzz/corpus-$name"
    echo "=== $name"
    # Seeds are small; longer inputs would only repeat what they hold.
    build/fuzz/fuzz/vantrel_${name}_fuzz "$limit" -max_len="$longest" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/$name-" "build/fuzz/corpus-$name" \
        "fuzz/corpus/$seeds"
done
