#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice:
# a normal build with assertions on, and an ASan/UBSan build.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
quenlor_install_deps

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
status=0

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300) || status=1
}

echo "== normal build (assertions on) =="
run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1"
run_suite build/asan -DCMAKE_BUILD_TYPE=Debug -DQUENLOR_SANITIZE=ON -DQUENLOR_BENCH=OFF

if [ $status -ne 0 ]; then
  echo "test.sh: FAILED"
else
  echo "test.sh: all tests passed in both builds"
fi
exit $status
