#!/usr/bin/env bash
# Builds the logic tests (tests/core and tests/reliability) with
# AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of its own
# and runs them. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${SANITIZE_BUILD:-build-sanitize}"
tests=()
for source in tests/core/test_*.cpp tests/reliability/test_*.cpp; do
  tests+=("$(basename "$source" .cpp)")
done

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_SANITIZE=ON \
  > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${tests[@]}" crash_worker quillora-content

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:check_initialization_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"
ctest --output-on-failure -j2 -R "$pattern"
