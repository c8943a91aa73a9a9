#!/usr/bin/env bash
# Start-up time of the desktop program to its shown main window, as a median
# of RUNS starts under a virtual display (default 15). Measured from entering
# main(), through settings, catalog and help checks, splash and main window
# set-up, until the main window is mapped on screen.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-15}"
times=()
for ((i = 0; i < runs; i++)); do
  t=$(VANTREL_REPORT_STARTUP=1 xvfb-run -a "$build/bin/vantrel_gui_tests" --gtest_filter='Startup.*' 2>&1 \
      | awk '/startup-to-shown-ms/ {print $2}')
  times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {
  m = (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2;
  printf "runs %d  median %.1f ms  min %.1f ms  max %.1f ms\n", NR, m, a[1], a[NR]}'
