#!/usr/bin/env bash
# Builds Tarkel in release mode and runs every test. Usage: scripts/test.sh [PRESET]
# (PRESET is release by default; debug-asan runs the suite under the sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
# Under the sanitizers, leaks that system libraries keep until exit are not reported.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ctest --preset "$preset" -j "$(nproc)"
