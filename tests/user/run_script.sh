#!/usr/bin/env bash
# Runs a program under a script on a fresh machine and checks its exit code, its event log
# and what it reported.
#   run_script.sh PROGRAM SCRIPT EXIT_CODE EXPECTED_LOG|- STDERR_PATTERN|- CLOCK
set -u
program=$1 script=$2 expected_exit=$3 expected_log=$4 stderr_pattern=$5 clock=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/run.script"
WINSIM_PREFIX="$work/machine" WINSIM_DISPLAY=headless WINSIM_SCREEN=800x600 WINSIM_SCRIPT="$work/run.script" \
  WINSIM_CLOCK="$clock" DEMO_LOG="$work/log.txt" timeout 120 "$program" 2>"$work/stderr"
code=$?
status=0
if [ "$code" != "$expected_exit" ]; then
  echo "exit code $code, expected $expected_exit"
  status=1
fi
if [ "$expected_log" != "-" ] && ! diff -u "$expected_log" "$work/log.txt"; then
  echo "the event log differs"
  status=1
fi
if [ "$stderr_pattern" != "-" ] && ! grep -Eq "$stderr_pattern" "$work/stderr"; then
  echo "standard error does not match: $stderr_pattern"
  status=1
fi
if [ "$expected_exit" = 70 ] && [ ! -s "$work/run.script.failed.png" ]; then
  echo "no run.script.failed.png"
  status=1
fi
if [ "$status" != 0 ]; then
  echo "--- standard error"
  cat "$work/stderr"
fi
exit $status
