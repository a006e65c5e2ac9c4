#!/usr/bin/env bash
# play.sh -- installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/install-deps.sh "${GAME_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
exec ./build/zedoria
