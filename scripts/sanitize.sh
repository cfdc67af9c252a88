#!/usr/bin/env bash
# Builds the unit and runtime tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs them, then the tests whose code runs threads (the picture box's animation,
# the sound players, requests handed from workers to the main thread, the browser engine's
# callbacks) with ThreadSanitizer in build-tsan/. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
failed=0

# run_tests BUILD_DIR TEST...: runs each test program of BUILD_DIR, its output kept beside it.
run_tests() {
  local dir=$1
  shift
  for t in "$@"; do
    if "$dir/bin/$t" --gtest_brief=1 >"$dir/$t.log" 2>&1; then
      echo "sanitized $t ($dir): ok"
    else
      echo "sanitized $t ($dir): FAILED"
      grep -E -A20 'Sanitizer|runtime error|FAILED' "$dir/$t.log" | head -n 60 || true
      failed=1
    fi
  done
}

asan_tests=(platform_tests base_program_tests base_values_tests base_template_tests host_tests
  contract_tests contract_registration_tests imaging_tests formtool_tests formtool_preview_tests window_tests
  editbox_tests picbox_tests groupbox_tests hyperlinker_tests superbtn_tests translabel_tests)
[ -f build-asan/build.ninja ] || cmake -S . -B build-asan -G Ninja -DQUARLEX_SANITIZE=ON -DQUARLEX_BENCH=OFF >/dev/null
cmake --build build-asan --target "${asan_tests[@]}" >/dev/null
(
  # The runtime expects a failed allocation to answer null, as the C library's does.
  export ASAN_OPTIONS=allocator_may_return_null=1
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
  run_tests build-asan "${asan_tests[@]}"
  exit $failed
) || failed=1

tsan_tests=(platform_tests sound_loading_tests base_program_tests host_tests contract_tests
  window_tests editbox_tests picbox_tests groupbox_tests hyperlinker_tests superbtn_tests translabel_tests
  webbrowser_tests web_engine_loading_tests)
[ -f build-tsan/build.ninja ] || cmake -S . -B build-tsan -G Ninja -DQUARLEX_SANITIZE=thread -DQUARLEX_BENCH=OFF >/dev/null
cmake --build build-tsan --target "${tsan_tests[@]}" >/dev/null
(
  # Every report makes the program's exit status 66. The suppressions name only libraries that
  # are not built with the sanitizer (Qt, the browser engine and what lies beneath them), whose
  # own threads it cannot follow. A failed allocation answers null, as the C library's does.
  export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp:print_suppressions=0:exitcode=66:second_deadlock_stack=1:allocator_may_return_null=1"
  export QTWEBENGINE_DISABLE_SANDBOX=1
  run_tests build-tsan "${tsan_tests[@]}"
  exit $failed
) || failed=1
exit $failed
