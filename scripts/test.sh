#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file follows .clang-format,
# builds everything with warnings as errors and runs the whole test suite:
# the tests, then the core, reliability and window tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of every
# fuzz target (each in a build folder of its own).
#
# A failed test, sanitizer or fuzz stage does not stop the later ones, so one
# run reports on all of them; without the packages or the build nothing else
# can run, and the run stops there. The last line sums up every stage, e.g.
#   test.sh: deps ok · build ok · tests FAILED · sanitizers ok · fuzz ok
# and the exit status is non-zero when any stage failed or did not run.
set -uo pipefail
cd "$(dirname "$0")/.."

stages=(deps format build tests sanitizers fuzz)
declare -A result
for stage in "${stages[@]}"; do result[$stage]="not run"; done
stopped=""

summary() {
  local line="" stage
  for stage in "${stages[@]}"; do
    [ "${result[$stage]}" = running ] && result[$stage]="INTERRUPTED"
    line+="${line:+ · }$stage ${result[$stage]}"
  done
  [ -n "$stopped" ] && line+=" (stopped: $stopped)"
  echo "test.sh: $line"
}
# Also when the run is interrupted or a stage ends the shell.
trap summary EXIT

run() {
  local stage=$1
  shift
  echo "=== test.sh: $stage"
  result[$stage]="running"
  if "$@"; then
    result[$stage]="ok"
  else
    result[$stage]="FAILED"
    return 1
  fi
}

# Every tracked C++ file, or every one in the tree outside a git checkout.
format() {
  local files
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
  else
    files=$(find src tools tests bench fuzz -name '*.cpp' -o -name '*.h')
  fi
  # shellcheck disable=SC2086
  clang-format --dry-run --Werror $files
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WERROR=ON &&
    cmake --build build -j"$(nproc)"
}

tests() {
  (cd build && ctest --output-on-failure -j2)
}

if ! run deps bash scripts/install-deps.sh; then
  stopped="the packages could not be installed"
  exit 1
fi
run format format
if ! run build build; then
  stopped="nothing to test without a build"
  exit 1
fi
run tests tests
run sanitizers env SANITIZE_GUI=1 bash scripts/sanitize.sh
run fuzz bash scripts/fuzz.sh

for stage in "${stages[@]}"; do
  [ "${result[$stage]}" = ok ] || exit 1
done
exit 0
