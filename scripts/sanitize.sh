#!/usr/bin/env bash
# Builds the core tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs them. Only what those tests need is built (the
# core library, the command-line tool, the emulator and the tests), so the
# run stays short enough for CI. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLIMB_WERROR=ON \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi

# The tests labelled "core" are the targets of the same names.
mapfile -t targets < <(cd build-asan && ctest -N -L '^core$' | sed -n 's/^ *Test *#[0-9]*: //p')
if [ ${#targets[@]} -eq 0 ]; then
  echo "sanitize.sh: no core tests found" >&2
  exit 1
fi
# Memory errors and undefined behaviour fail the run. Leak checking is off:
# Qt's platform plugins keep their screens and caches until exit, and the
# build itself runs a sanitized tool (the icon renderer) that would trip it.
export ASAN_OPTIONS="detect_leaks=0:strict_string_checks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
cmake --build build-asan -j"$(nproc)" --target "${targets[@]}"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest -L '^core$' --output-on-failure -j"$(nproc)"
