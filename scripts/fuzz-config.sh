#!/bin/sh
# Builds the configuration loader's fuzz target with clang in build/fuzz and runs it.
#   scripts/fuzz-config.sh            60 seconds
#   scripts/fuzz-config.sh 20         20 seconds
#   scripts/fuzz-config.sh runs=N     N executions
# New inputs found go to build/fuzz/corpus; the committed seeds stay as they are. A crash
# leaves its input in build/fuzz/ and makes the script fail.
set -eu
cd "$(dirname "$0")/.."

limit="-max_total_time=${1:-60}"
case "${1:-}" in
runs=*) limit="-runs=${1#runs=}" ;;
esac

if ! command -v clang++ >/dev/null; then
    echo "clang++ is needed: apt-get install -y clang" >&2
    exit 2
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_SANITIZE=OFF >/dev/null
cmake --build build/fuzz --target vantrel_config_fuzz -j2

mkdir -p build/fuzz/corpus
# Seeds are up to 15 kB; longer inputs would only add more records of the same kind.
exec build/fuzz/fuzz/vantrel_config_fuzz "$limit" -max_len=20000 -timeout=10 \
    -print_final_stats=1 -artifact_prefix=build/fuzz/ build/fuzz/corpus fuzz/corpus/loader
