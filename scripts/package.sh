#!/usr/bin/env bash
# Builds the Debian package into build-package/, a build tree of its own so
# that the tests' build/ is never touched. Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh

out=build-package
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Same build type and warning flags as build/, so that a shared compiler
# cache serves both; CPack strips the executables.
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DPLIMB_WERROR=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,relro -Wl,-z,now" "${launcher[@]}" >/dev/null
# Only what the package holds: the tests and benchmarks are not built here.
cmake --build "$out" -j"$(nproc)" --target plimb plimb-cli plimb-engraver-sim \
      plimb-desktop-icons plimb-manpages plimb-changelog
rm -f "$out"/plimb_*.deb
(cd "$out" && cpack -G DEB >/dev/null)
ls "$PWD/$out"/plimb_*.deb
