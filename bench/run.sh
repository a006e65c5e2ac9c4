#!/usr/bin/env bash
# run.sh -- builds the benchmarks in a Release build without sanitizers and prints their figures.
# Every bench/*_bench.cpp is a program; the real-platform ones run on SDL's offscreen video driver.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DZEDORIA_TESTS=ON -DZEDORIA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
benches=()
for src in bench/*_bench.cpp; do benches+=("$(basename "$src" .cpp)"); done
cmake --build build-bench -j"$(nproc)" --target "${benches[@]}"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for name in "${benches[@]}"; do
    echo "== $name"
    (cd build-bench && SDL_VIDEODRIVER=offscreen "./bench/$name")
done
