#!/usr/bin/env bash
# test.sh -- installs what is missing, builds the game and its tests (with AddressSanitizer and
# UBSan) and runs every test: unit, rendering and end-to-end.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/install-deps.sh "${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build-tests -DZEDORIA_TESTS=ON
cmake --build build-tests -j"$(nproc)"
cd build-tests
ctest --output-on-failure -j"$(nproc)"
