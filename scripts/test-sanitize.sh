#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs it, the fuzz target's
# seed corpus included. Any sanitizer report fails the run: every report
# halts its process, and the test log is searched for reports from processes
# whose exit status a test does not look at.
# CORVEL_SANITIZE_UI=OFF leaves out the window tests.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-asan
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-O1 $sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
    -DCORVEL_BUILD_UI="${CORVEL_SANITIZE_UI:-ON}" \
    -DCORVEL_BUILD_BENCH=OFF \
    -DCORVEL_BUILD_FUZZ=ON -DCORVEL_FUZZ_MODE=replay
fi
cmake --build "$build" -j2

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

status=0
ctest --test-dir "$build" --output-on-failure -j2 || status=$?
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$build/Testing/Temporary/LastTest.log"; then
  echo "test-sanitize: sanitizer reports in $build/Testing/Temporary/LastTest.log" >&2
  status=1
fi
exit $status
