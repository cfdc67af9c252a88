#!/usr/bin/env bash
# A longer fuzz run than the tests make: each target in turn for SECONDS (default 7200) or RUNS
# executions (default 10 million), whichever ends first, starting
# from fuzz/corpus/<target>. Everything the run holds is kept in build-fuzz/campaign/<target>/
# (outside the repository), and fuzz/corpus/<target> becomes the smallest set of those inputs that
# reaches every edge any of them reaches (-merge=1 over edges only), so the repository keeps a
# corpus of a few dozen files a target that a campaign only ever shrinks or grows by what it
# adds. Prints executions, coverage and corpus size per target; a crash's input is kept in
# build-fuzz/findings/. Build the targets first (scripts/fuzz.sh does).
#
#   [RUNS=N] bash scripts/fuzz_campaign.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
# The targets that paint meet fontconfig, which keeps its caches for the life of the process.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
seconds=${1:-7200}
runs=${RUNS:-10000000}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find build-fuzz/bin -maxdepth 1 -name 'fuzz_*' -type f -executable -printf '%f\n' | sort)
fi
mkdir -p build-fuzz/findings build-fuzz/campaign
failed=0
for name in "${targets[@]}"; do
  target="build-fuzz/bin/$name"
  corpus="fuzz/corpus/${name#fuzz_}"
  work=build-fuzz/campaign/${name#fuzz_}
  mkdir -p "$corpus" "$work"
  cp -r "$corpus"/. "$work"/
  log="build-fuzz/findings/$name.log"
  status=0
  nice -n 15 "$target" -max_total_time="$seconds" -runs="$runs" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$name-" "$work" >"$log" 2>&1 || status=$?
  executed=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*$' || echo '?')
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*$' || echo '?')
  # A set cover over edges (hit counts left out), so the corpus stays small: the merge keeps an
  # input only for an edge none of the inputs kept before it reaches.
  minimised=$(mktemp -d)
  nice -n 15 "$target" -merge=1 -use_counters=0 -rss_limit_mb=2048 -timeout="${FUZZ_TIMEOUT:-10}" "$minimised" "$work" \
    >/dev/null 2>&1
  rm -rf "$corpus" && mv "$minimised" "$corpus"
  files=$(find "$corpus" -type f | wc -l)
  if [ $status -eq 0 ]; then
    echo "$name: $executed executions, cov $cov, ft $ft, corpus $files files, no findings"
  else
    echo "$name: $executed executions, cov $cov, ft $ft: FINDING (see $log)"
    failed=1
  fi
done
exit $failed
