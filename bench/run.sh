#!/usr/bin/env bash
# run.sh -- builds the benchmarks in a Release build without sanitizers and prints their figures.
# Every bench/*_bench.cpp is a program; the real-platform ones run on SDL's offscreen video driver.
# Then desktop_bench.sh measures the real program under Xvfb beside a bare SDL window, and the
# figures that the software-renderer targets are about are repeated at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DZEDORIA_TESTS=ON -DZEDORIA_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
benches=()
for src in bench/*_bench.cpp; do benches+=("$(basename "$src" .cpp)"); done
cmake --build build-bench -j"$(nproc)" --target "${benches[@]}" zedoria bare_window
out=$(mktemp)
trap 'rm -f "$out"' EXIT
{
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  for name in "${benches[@]}"; do
    echo "== $name"
    (cd build-bench && SDL_VIDEODRIVER=offscreen "./bench/$name")
  done
  echo "== desktop (the real program under Xvfb, software OpenGL)"
  if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xdpyinfo >/dev/null; then
    bash bench/desktop_bench.sh build-bench
  else
    echo "skipped: needs Xvfb, xdotool and xdpyinfo (./test.sh installs them)"
  fi
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
} 2>&1 | tee "$out"
echo "== the software renderer's figures"
grep -E "^(bare SDL window|title menu|play:|resident memory|play frame|(plainly: |  )(floor pass alone|one picture of)|SDL_Renderer /)" "$out"
