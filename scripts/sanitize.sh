#!/usr/bin/env bash
# Builds the logic tests (tests/core and tests/reliability), and with
# SANITIZE_GUI=1 the window tests too, with
# AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of its own
# and runs them. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${SANITIZE_BUILD:-build-sanitize}"
tests=()
for source in tests/core/test_*.cpp tests/reliability/test_*.cpp; do
  tests+=("$(basename "$source" .cpp)")
done

# SANITIZE_GUI=1 adds the window tests, the random-user test (test_monkey)
# among them; QUILLORA_MONKEY_SEED and QUILLORA_MONKEY_EVENTS pass through to
# it for a longer run. The web engine, a system library not
# built with the sanitizers, trips two checks inside itself (a new/delete size
# mismatch while a page is taken down, and leaks at exit): in that run the
# size-mismatch check is off, and leaks are waived for those libraries only.
asan_extra=""
if [ "${SANITIZE_GUI:-0}" = 1 ]; then
  for source in tests/gui/test_*.cpp; do
    # When the engine's module loads is a start-up cost, not a memory-safety
    # question, and the sanitizer runtime changes what is loaded up front.
    [ "$(basename "$source" .cpp)" = test_question_view_module ] && continue
    tests+=("$(basename "$source" .cpp)")
  done
  asan_extra=":new_delete_type_mismatch=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/reliability/lsan-system-libraries.supp"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_SANITIZE=ON \
  > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${tests[@]}" crash_worker quillora-content

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:check_initialization_order=1:strict_string_checks=1$asan_extra"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"
ctest --output-on-failure -j2 -R "$pattern"
