#!/usr/bin/env bash
# Builds and runs every test. Options:
#   --sanitize   build with AddressSanitizer + UndefinedBehaviorSanitizer (folder build-asan)
#   --tsan       build with ThreadSanitizer (folder build-tsan) and run the test programs
#   --fuzz N     build the fuzz targets with clang and run each for N seconds (folder build-fuzz);
#                FUZZ_SEED picks the random seed (default 1, so a CI run can be repeated)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=plain
fuzz_seconds=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) mode=asan ;;
    --tsan) mode=tsan ;;
    --fuzz) mode=fuzz; fuzz_seconds=${2:?--fuzz needs seconds}; shift ;;
    *) echo "run_tests: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

case "$mode" in
  plain)
    bash "$root/tools/build.sh" "$root/build" -DNORVEX_WERROR=$werror
    ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" --timeout 300
    ;;
  asan)
    bash "$root/tools/build.sh" "$root/build-asan" -DNORVEX_WERROR=$werror -DNORVEX_SANITIZE=ON -DNORVEX_BENCH=OFF \
      -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$root/tools/lsan.supp \
      ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" --timeout 600
    ;;
  tsan)
    bash "$root/tools/build.sh" "$root/build-tsan" -DNORVEX_WERROR=$werror -DNORVEX_TSAN=ON -DNORVEX_BENCH=OFF \
      -DCMAKE_BUILD_TYPE=Debug
    TSAN_OPTIONS="suppressions=$root/tools/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
      ctest --test-dir "$root/build-tsan" --output-on-failure -j "$(nproc)" --timeout 600
    ;;
  fuzz)
    CC=clang CXX=clang++ bash "$root/tools/build.sh" "$root/build-fuzz" -DNORVEX_FUZZ=ON -DNORVEX_TESTS=OFF \
      -DNORVEX_BENCH=OFF
    shopt -s nullglob
    targets=("$root"/build-fuzz/bin/fuzz_*)
    if [ ${#targets[@]} -eq 0 ]; then echo "run_tests: no fuzz targets"; exit 0; fi
    for t in "${targets[@]}"; do
      name=$(basename "$t")
      corpus="$root/build-fuzz/corpus/$name"
      mkdir -p "$corpus"
      seeds=()
      [ -d "$root/fuzz/seeds/$name" ] && seeds=("$root/fuzz/seeds/$name")
      echo "fuzz: $name for ${fuzz_seconds}s"
      LSAN_OPTIONS=suppressions=$root/tools/lsan.supp \
        "$t" -seed="${FUZZ_SEED:-1}" -max_total_time="$fuzz_seconds" -max_len=4096 -timeout=30 -rss_limit_mb=2048 \
        -print_final_stats=0 "$corpus" "${seeds[@]}" 2>"$root/build-fuzz/$name.log" ||
        { tail -50 "$root/build-fuzz/$name.log"; echo "fuzz: $name found a problem" >&2; exit 1; }
    done
    echo "fuzz: all targets ran without findings"
    ;;
esac
