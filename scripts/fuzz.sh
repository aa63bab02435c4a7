#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in a build folder of its own
# and runs each one for a short, fixed number of runs from its seed corpus.
# Longer runs by hand: FUZZ_RUNS=10000000 bash scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${FUZZ_RUNS:-20000}"
build="${FUZZ_BUILD:-build-fuzz}"
targets=(record_file answer_checking mhtml_archive module_file)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLORA_FUZZ=ON > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

passed=0
failed=0
for target in "${targets[@]}"; do
  # New inputs go to a scratch folder; the seed corpus stays as committed.
  work="$(mktemp -d)"
  if "$build/fuzz/fuzz_$target" -runs="$runs" -seed=1 -rss_limit_mb=2048 -timeout=30 \
       -artifact_prefix="$build/crash-$target-" "$work" "fuzz/corpus/$target" \
       > "$build/fuzz-$target.log" 2>&1; then
    echo "fuzz $target: $(grep -E '^Done' "$build/fuzz-$target.log")"
    passed=$((passed + 1))
  else
    echo "fuzz $target: FAILED"
    tail -n 40 "$build/fuzz-$target.log"
    failed=$((failed + 1))
  fi
  rm -rf "$work"
done
echo "fuzz: $passed of ${#targets[@]} targets ran clean"
[ "$failed" -eq 0 ]
