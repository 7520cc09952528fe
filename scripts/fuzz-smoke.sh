#!/usr/bin/env bash
# Builds the parser fuzz targets and runs each a few seconds on a scratch copy of its seed
# corpus, so that a parser change that faults on odd input is caught before it ships.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in ini_reader number_parser curve_reader driver_file_reader design_file_reader; do
  mkdir -p "$scratch/$target"
  cp fuzz/corpus/$target/* "$scratch/$target/"
  echo "== fuzz_$target"
  (cd "$scratch" && "$OLDPWD/build-fuzz/fuzz_$target" -max_total_time=5 -print_final_stats=1 \
    "$scratch/$target" 2>&1 | tail -n 4)
  # libFuzzer leaves a crash-* file when it finds a fault; pipefail carries its exit status.
done
