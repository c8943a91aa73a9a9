#!/usr/bin/env bash
# Start-up time of the desktop program to its shown main window, as a median
# of RUNS starts under a virtual display (default 15). Measured from entering
# main(), through settings, catalog and help checks, splash and main window
# set-up, until the main window is mapped on screen.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
#
# With "cli" first: whole runs of vantrel-cli (--version, a select and a
# rate on the shipped catalog) against a C program that prints "hello",
# compiled here. ROUNDS rounds (default 40) each time every command with
# hyperfine (5 runs each); each round's medians give its ratios to hello,
# and the median wall-clock ratio over the rounds must stay within GOAL
# (default 2), else the script fails. On a busy machine look at the
# CPU-time ratios too. Callgrind's instruction counts of one run of each
# follow, unless NO_CALLGRIND is set. Needs hyperfine, python3, a C compiler.
# BEFORE=OTHER_BUILD_DIR runs that build's program in the same rounds too,
# for a before/after comparison that the machine's load touches alike; the
# goal is checked for BUILD_DIR's program only. The programs are dropped
# from the page cache first, so that each is read back as an installed
# program is after a restart: a file the linker has just written starts more
# slowly than the same bytes copied (which the kernel keeps in larger pieces).
# Usage: [BEFORE=DIR] bench/startup.sh cli [BUILD_DIR] [ROUNDS] [GOAL]
set -euo pipefail

if [ "${1:-}" = cli ]; then
  build="${2:-build}"
  rounds="${3:-40}"
  goal="${4:-2}"
  command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)"; exit 2; }
  scratch="$(mktemp -d)"
  trap 'rm -rf "$scratch"' EXIT
  printf '#include <stdio.h>\nint main(void) { puts("hello"); return 0; }\n' >"$scratch/hello.c"
  cc -O2 -o "$scratch/hello" "$scratch/hello.c"
  cli="$(cd "$build/bin" && pwd)/vantrel-cli"
  duty="--refrigerant R-22 --suction 40 --liquid 100 --length 30"
  # A settings file of its own: the user's settings and refrigerants stay out of it.
  export VANTREL_CONFIG="$scratch/settings.ini" XDG_CONFIG_HOME="$scratch"
  names=(hello --version select rate)
  commands=("$scratch/hello" "$cli --version" "$cli select $duty --capacity 10 --circuits 8 --tube 1/4"
            "$cli rate 503-4-1/4-5 $duty --capacity 5")
  if [ -n "${BEFORE:-}" ]; then
    before="$(cd "$BEFORE/bin" && pwd)/vantrel-cli"
    names+=("before:--version" "before:select" "before:rate")
    commands+=("$before --version" "$before select $duty --capacity 10 --circuits 8 --tube 1/4"
               "$before rate 503-4-1/4-5 $duty --capacity 5")
  fi
  python3 - "$cli" ${before:+"$before"} <<'PY'
import os, sys
for path in sys.argv[1:]:
    descriptor = os.open(path, os.O_RDONLY)
    os.fsync(descriptor)
    os.posix_fadvise(descriptor, 0, 0, os.POSIX_FADV_DONTNEED)
    os.close(descriptor)
PY
  for ((round = 0; round < rounds; round++)); do
    hyperfine -N --style none --warmup 3 --runs 5 --export-json "$scratch/round$round.json" "${commands[@]}" \
      >/dev/null 2>&1
  done
  status=0
  python3 - "$scratch" "$rounds" "$goal" "${names[@]}" <<'PY' || status=1
import json, statistics, sys
folder, rounds, goal, names = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), sys.argv[4:]
medians = {name: [] for name in names}
cpu = {name: [] for name in names}
for r in range(rounds):
    results = json.load(open(f"{folder}/round{r}.json"))["results"]
    for name, result in zip(names, results):
        medians[name].append(statistics.median(result["times"]) * 1000)
        cpu[name].append((result["user"] + result["system"]) * 1000)
ratios = {name: [m / h for m, h in zip(medians[name], medians["hello"])] for name in names}
cpuRatios = {name: [m / h for m, h in zip(cpu[name], cpu["hello"]) if h > 0] for name in names}
print(f"{rounds} rounds of 5 runs each. Wall clock: median of the round medians, then the median,")
print("least and most of the rounds' ratios to hello; CPU time (user + system, mean of a round): the")
print("median of the rounds' ratios, which waiting for a busy processor does not change.")
met = True
for name in names:
    r = ratios[name]
    print(f"  {name:16} {statistics.median(medians[name]):6.2f} ms   x {statistics.median(r):5.2f}"
          f"  (rounds {min(r):5.2f} to {max(r):5.2f})   CPU x {statistics.median(cpuRatios[name]):5.2f}")
    if not name.startswith("before:"):
        met = met and statistics.median(r) <= goal
print(f"goal: every command within {goal:g} x hello: {'met' if met else 'NOT met'}")
sys.exit(0 if met else 1)
PY
  if [ -z "${NO_CALLGRIND:-}" ] && command -v valgrind >/dev/null; then
    echo "instructions of one run (callgrind):"
    for i in "${!names[@]}"; do
      # shellcheck disable=SC2086
      count="$(valgrind --tool=callgrind --callgrind-out-file=/dev/null ${commands[$i]} 2>&1 >/dev/null |
               sed -n 's/.*Collected : //p')"
      printf '  %-16s %12s\n' "${names[$i]}" "$count"
    done
  fi
  exit "$status"
fi

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
