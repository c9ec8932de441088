#!/usr/bin/env bash
# Sets up a fresh machine, builds both programs and every test, and runs the
# tests under Wine. Arguments go to every ctest run (-R NAME, say).
#
# Where the machine runs 32-bit x86 programs by itself, every test runs on
# the 32-bit build (build/cmake). Where it runs them only through an emulator,
# the test programs are also built for x86-64 (build/cmake64) and run there
# natively, and the tests about being a 32-bit program under WOW64 run on the
# 32-bit build under the emulator.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

# Failures that are known not to be ours: a test program whose output matches
# one of these is run once more, and the rerun is listed at the end of the run.
# Any other failure fails the run.
#  - Wine's X11 driver now and then ends a program with an X error (BadMatch on
#    X_CreateGC) that has nothing to do with the code under test.
KNOWN_NOT_OURS=(
  'X Error of failed request: +BadMatch.*|Major opcode of failed request: +[0-9]+ \(X_CreateGC\)'
)

phases=()
phase_start=$SECONDS
end_phase() {  # name
  phases+=("$(printf '%-28s %4d s' "$1" $((SECONDS - phase_start)))")
  phase_start=$SECONDS
}

bash "$ROOT/scripts/setup.sh"
end_phase "set-up"
lorvane_build
end_phase "build, 32-bit"
builds=("$LORVANE_BUILD_DIR/cmake")
if lorvane_split_tests; then
  lorvane_build64
  end_phase "build, 64-bit"
  builds=("$LORVANE_BUILD_DIR/cmake64" "$LORVANE_BUILD_DIR/cmake")
fi

LORVANE_FORCE_XVFB=1 lorvane_start_wine

# The names of the tests a program's log shows failing: those GoogleTest
# lists as failed, else the one that was running when the program ended.
failed_test_names() {  # log
  local names
  # Wine writes the programs' lines with CR LF.
  names="$(tr -d '\r' <"$1" | sed -n 's/^\[  FAILED  \] \([^ ,]*\.[^ ,]*\).*/\1/p' | sort -u | tr '\n' ' ')"
  if [ -z "$names" ]; then
    names="$(tr -d '\r' <"$1" | awk '/^\[ RUN      \]/ {t=$4} /^\[       OK \]|^\[  FAILED  \]/ {t=""} END {print t}')"
  fi
  echo "${names:-(none named)}"
}

known_not_ours() {  # log
  local p
  for p in "${KNOWN_NOT_OURS[@]}"; do
    grep -Eq "$p" "$1" && return 0
  done
  return 1
}

reruns=()
failures=()
# Runs one build's tests; a program that failed only for a known reason runs
# once more.
run_ctest() {  # build folder, ctest arguments...
  local dir="$1"
  shift
  local logs="$dir/test-logs"
  rm -rf "$logs"
  (
    cd "$dir"
    export LORVANE_TEST_LOG_DIR="$logs"
    # The test programs run side by side, each on a Wine desktop of its own;
    # the ones that move the mouse pointer take turns (a ctest resource lock).
    ctest --output-on-failure -j"${LORVANE_TEST_JOBS:-$(nproc)}" "$@"
  ) && return 0
  local failed retry=() t ours=0
  failed="$(cut -d: -f2 "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || true)"
  for t in $failed; do
    if [ -f "$logs/$t.log" ] && known_not_ours "$logs/$t.log"; then
      retry+=("$t")
      reruns+=("$(basename "$dir") $t: $(failed_test_names "$logs/$t.log")")
    else
      ours=1
      failures+=("$(basename "$dir") $t: $([ -f "$logs/$t.log" ] && failed_test_names "$logs/$t.log" || echo '(no output)')")
    fi
  done
  # A run that failed without naming a test program failed too (ctest itself).
  [ -n "$failed" ] || { failures+=("$(basename "$dir"): ctest failed without a failed test"); return 1; }
  [ ${#retry[@]} -gt 0 ] || return 1
  local pattern
  pattern="^($(IFS='|'; echo "${retry[*]}"))\$"
  echo "Running again, for a failure known not to be ours: ${retry[*]}"
  (
    cd "$dir"
    export LORVANE_TEST_LOG_DIR="$logs"
    ctest --output-on-failure -j"${LORVANE_TEST_JOBS:-$(nproc)}" -R "$pattern" "$@"
  ) && return $ours
  failed="$(cut -d: -f2 "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || true)"
  for t in $failed; do
    failures+=("$(basename "$dir") $t (second run): $(failed_test_names "$logs/$t.log")")
  done
  return 1
}

status=0
for dir in "${builds[@]}"; do
  run_ctest "$dir" "$@" || status=1
done
end_phase "tests"

echo
echo "== Time of each phase"
printf '%s\n' "${phases[@]}"
echo "== Tests run, by build"
for dir in "${builds[@]}"; do
  n="$(cat "$dir"/test-logs/*.log 2>/dev/null \
       | tr -d '\r' | sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' \
       | awk '{s += $1} END {print s + 0}')"
  if [ "$dir" = "$LORVANE_BUILD_DIR/cmake" ] && [ "$(lorvane_i386_mode)" = emulated ]; then
    echo "  $n on the 32-bit build, under the emulator"
  elif [ "$dir" = "$LORVANE_BUILD_DIR/cmake" ]; then
    echo "  $n on the 32-bit build, natively"
  else
    echo "  $n on the 64-bit build, natively"
  fi
done
echo "== Tests run again for a failure known not to be ours: ${#reruns[@]}"
[ ${#reruns[@]} -eq 0 ] || printf '  %s\n' "${reruns[@]}"
if [ $status -ne 0 ]; then
  echo "== Failed"
  printf '  %s\n' "${failures[@]}"
fi
exit $status
