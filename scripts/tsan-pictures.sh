#!/bin/sh
# Builds the tests of the picture reading thread with clang and ThreadSanitizer in
# build/tsan and runs them a few times: the thread and the user-interface thread share a
# queue, and a race shows only now and then.
set -eu
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
    echo "clang++ is needed: apt-get install -y clang" >&2
    exit 2
fi

mkdir -p build/tsan
clang++ -std=c++17 -g -O1 -fsanitize=thread -Wall -Wextra -Werror -Isrc -Itests \
    src/platform/PictureWorker.cpp tests/platform/PictureWorkerTest.cpp \
    -lgtest -lgtest_main -lpthread -o build/tsan/picture_worker_tests
for run in 1 2 3 4 5; do
    TSAN_OPTIONS=halt_on_error=1 build/tsan/picture_worker_tests --gtest_brief=1
done
