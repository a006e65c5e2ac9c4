#!/usr/bin/env bash
# run.sh -- builds the fuzzers with clang (libFuzzer, AddressSanitizer, UBSan) and runs each for a
# fixed number of inputs: fuzz/run.sh [RUNS [NAME...]], 1,000,000 each by default, every fuzzer
# (fuzz/NAME_fuzz.cpp) unless names are given. Exits 1 on any finding (the input is kept under the
# build folder's findings/), 77 when clang cannot build fuzzers.
#   ZEDORIA_FUZZ_BUILD    the build folder (default: build-fuzz beside the sources)
#   ZEDORIA_FUZZ_INSTALL  0: do not install missing packages (skip instead)
#   ZEDORIA_FUZZ_JOBS     parallel compile jobs (default: all cores)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-1000000}
shift $(($# > 0 ? 1 : 0))
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for src in "$root"/fuzz/*_fuzz.cpp; do names+=("$(basename "$src" _fuzz.cpp)"); done
fi
build=$(mkdir -p "${ZEDORIA_FUZZ_BUILD:-$root/build-fuzz}" && cd "${ZEDORIA_FUZZ_BUILD:-$root/build-fuzz}" && pwd)
jobs=${ZEDORIA_FUZZ_JOBS:-$(nproc)}
SKIP=77

if [ "${ZEDORIA_FUZZ_INSTALL:-1}" != 0 ]; then
  source "$root/scripts/packages.sh"
  bash "$root/scripts/install-deps.sh" "${GAME_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" ||
    echo "fuzz: could not install clang and its fuzzer runtime"
fi

# A fuzzer of nothing: proves clang++ and libFuzzer's runtime are there before the long build.
probe() {
  command -v clang++ >/dev/null || return 1
  printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
    'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' >"$build/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$build/probe.cpp" -o "$build/probe" 2>"$build/probe.log"
}
if ! probe; then
  echo "fuzz: skipped: clang++ cannot build libFuzzer programs (packages clang, libclang-rt-14-dev)"
  exit $SKIP
fi

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZEDORIA_FUZZ=ON -DZEDORIA_SANITIZE=ON -DZEDORIA_TESTS=OFF >"$build/configure.log"
cmake --build "$build" -j"$jobs" --target "${names[@]/%/_fuzz}"

# Runs one fuzzer over its working corpus (grown by earlier runs) and its seed corpus; prints one
# line of figures, or the finding.
run_fuzzer() {
  local name=$1 max_len=4096
  [ "$name" = png_loader ] && max_len=8192
  mkdir -p "$build/corpus/$name" "$build/findings/$name"
  local log="$build/findings/$name.log"
  if UBSAN_OPTIONS=print_stacktrace=1 "$build/fuzz/${name}_fuzz" -runs="$runs" \
    -max_len=$max_len -timeout=30 -rss_limit_mb=4096 -error_exitcode=1 -timeout_exitcode=1 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$build/findings/$name/" \
    "$build/corpus/$name" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
    local done_runs seconds
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    printf 'fuzz: %-16s %9s runs in %5s s, no findings, corpus %s\n' "$name" "$done_runs" \
      "${seconds:-?}" "$(ls "$build/corpus/$name" | wc -l)"
  else
    echo "fuzz: $name: FINDING (log $log; input in $build/findings/$name/)"
    grep -E 'ERROR|SUMMARY|runtime error|property broken|^ *#[0-9]+ ' "$log" | head -30
    return 1
  fi
}

failed=0
for name in "${names[@]}"; do run_fuzzer "$name" || failed=1; done
exit $failed
