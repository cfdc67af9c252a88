#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and sanitizers, and runs each for a short,
# bounded time. Any crash, sanitizer report or input that runs longer than FUZZ_TIMEOUT seconds
# (a hang) fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
# The targets that paint meet fontconfig, which keeps its caches for the life of the process.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
seconds=${FUZZ_SECONDS:-20}
timeout=${FUZZ_TIMEOUT:-10}
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARLEX_FUZZ=ON -DQUARLEX_TESTS=OFF -DQUARLEX_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz --target fuzz_all >/dev/null
targets=$(find build-fuzz/bin -maxdepth 1 -name 'fuzz_*' -type f -executable | sort)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
failed=0
for t in $targets; do
  name=$(basename "$t")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  if "$t" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    echo "fuzz $name: ok"
  else
    echo "fuzz $name: FAILED"; tail -n 40 "$work.log"; failed=1
  fi
  rm -rf "$work" "$work.log"
done
exit $failed
