#!/usr/bin/env bash
# Builds the unit and runtime tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs them; any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=(platform_tests runtime_program_tests runtime_values_tests runtime_template_tests runtime_host_tests
  unit_framework_tests imaging_tests formtool_tests formtool_preview_tests window_unit_tests editbox_tests picbox_tests
  groupbox_tests hyperlinker_tests superbtn_tests translabel_tests)
[ -f build-asan/build.ninja ] || cmake -S . -B build-asan -G Ninja -DQUARLEX_SANITIZE=ON -DQUARLEX_BENCH=OFF >/dev/null
cmake --build build-asan --target "${tests[@]}" >/dev/null
export QT_QPA_PLATFORM=offscreen
# The runtime expects a failed allocation to answer null, as the C library's does.
export ASAN_OPTIONS=allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
failed=0
for t in "${tests[@]}"; do
  if build-asan/bin/"$t" --gtest_brief=1 >"build-asan/$t.log" 2>&1; then
    echo "sanitized $t: ok"
  else
    echo "sanitized $t: FAILED"; grep -E -A20 'Sanitizer|runtime error|FAILED' "build-asan/$t.log" | head -n 60
    failed=1
  fi
done
exit $failed
