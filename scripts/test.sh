#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j2
cd ..
# The core, reliability and window tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer,
# then a short run of every fuzz target (each in a build folder of its own).
SANITIZE_GUI=1 bash scripts/sanitize.sh
bash scripts/fuzz.sh
