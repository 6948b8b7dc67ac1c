#!/usr/bin/env bash
# Sets everything up, builds and runs every test: the regular build, the sanitizer build
# (AddressSanitizer + UndefinedBehaviorSanitizer), ThreadSanitizer over the threaded core tests,
# and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 VLKCHAT_LOG=${VLKCHAT_LOG:-error}

echo "== build and test (default)"
scripts/build.sh default
ctest --preset default

echo "== build and test (asan)"
scripts/build.sh asan
ctest --preset asan

echo "== build and test (tsan: the threaded core tests)"
scripts/build.sh tsan
ctest --preset tsan

echo "== fuzz targets (${VLK_FUZZ_SECONDS:=20} s each)"
corpus=build-asan/fuzz/corpus
for target in build-asan/fuzz/fuzz_*; do
  name=$(basename "$target")
  mkdir -p "$corpus/$name"
  ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$VLK_FUZZ_SECONDS" -print_final_stats=0 \
    "$corpus/$name" fuzz/seeds/"$name" 2>build-asan/fuzz/"$name".log \
    || { tail -n 40 build-asan/fuzz/"$name".log; echo "fuzz: $name failed"; exit 1; }
  echo "fuzz: $name ok"
done
echo "all tests passed"
