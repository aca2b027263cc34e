#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up cost of Quorvel against the floor of any window that shows text: a window with
# one label. An empty window is reported too, for information.
#
# Usage: bench/startup/run.sh [BUILD_DIR]   (make bench runs it on build/)
#
# The three programs start, show their window and quit at its first paint, headless
# (QT_QPA_PLATFORM=offscreen).
# - Instructions (the measure that holds still on a shared machine): callgrind, every
#   thread, CALLGRIND_RUNS runs each, the programs alternating; the median of the count
#   to the end of the first painted frame (a dump after the first paint-and-flush), and,
#   for information, of the whole run, quitting included.
# - Memory: peak resident set size from /usr/bin/time -v, MEMORY_RUNS runs each,
#   alternating; the median.
# - For information, wall times: hyperfine, in ROUNDS rounds that alternate which
#   program goes first, RUNS_PER_ROUND runs each per round after a warm-up; and, when
#   Xvfb is at hand, the same on an X display, X_ROUNDS rounds (0 leaves it out).
# Prints each ratio Quorvel/one-label window against its target. The figures are a
# report, not a gate: the exit status is 0 unless a program or a tool fails.
set -euo pipefail

build=${1:-build}
rounds=${ROUNDS:-4}
runs_per_round=${RUNS_PER_ROUND:-10}
memory_runs=${MEMORY_RUNS:-10}
callgrind_runs=${CALLGRIND_RUNS:-3}
instructions_target=1.30
memory_target=1.08

bare=$build/bench/startup/quorvel_bare_window
text=$build/bench/startup/quorvel_bare_label_window
real=$build/bench/startup/quorvel_first_paint
for program in "$bare" "$text" "$real"; do
  if [ ! -x "$program" ]; then
    echo "startup bench: $program is not built (configure with QUORVEL_BUILD_UI=ON)" >&2
    exit 1
  fi
done
for tool in valgrind hyperfine /usr/bin/time /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "startup bench: $tool is missing (make deps)" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A runtime directory of its own, so that nothing is shared with other runs on the machine.
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Each must run and quit by itself before anything is measured.
for program in "$bare" "$text" "$real"; do
  if ! timeout 30 "$program" >/dev/null 2>"$scratch/err"; then
    echo "startup bench: $program did not quit with status 0 at its first paint" >&2
    cat "$scratch/err" >&2
    exit 1
  fi
done

# Instructions. callgrind writes the count up to the end of the first frame to OUT.1 and
# the rest of the run to OUT.
echo "Instructions, $callgrind_runs runs each (callgrind, offscreen)"
for ((run = 1; run <= callgrind_runs; run++)); do
  for program in "$bare" "$text" "$real"; do
    out=$scratch/callgrind-$(basename "$program")-$run
    if ! valgrind --tool=callgrind --callgrind-out-file="$out" \
      --dump-after='QWidgetRepaintManager::paintAndFlush*' "$program" >/dev/null 2>"$scratch/err"; then
      echo "startup bench: $program failed under callgrind" >&2
      cat "$scratch/err" >&2
      exit 1
    fi
  done
done

# time_rounds NAME ROUNDS [RUNNER...]: hyperfine rounds that alternate which program goes
# first, through RUNNER if given, each round's times kept in $scratch/NAME-ROUND.json.
time_rounds() {
  local name=$1 count=$2 round order
  shift 2
  for ((round = 1; round <= count; round++)); do
    if ((round % 2)); then order=("$bare" "$text" "$real"); else order=("$real" "$text" "$bare"); fi
    "$@" hyperfine --shell=none --warmup 3 --runs "$runs_per_round" --style none \
      --export-json "$scratch/$name-$round.json" "${order[@]}" >/dev/null
  done
}

echo "Peak memory, $memory_runs runs each (/usr/bin/time -v)"
for ((run = 1; run <= memory_runs; run++)); do
  for program in "$bare" "$text" "$real"; do
    /usr/bin/time -v "$program" >/dev/null 2>"$scratch/time.txt"
    rss=$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$scratch/time.txt")
    echo "$(basename "$program") $rss" >>"$scratch/memory.txt"
  done
done

echo "Start-up to first paint, $((rounds * runs_per_round)) runs each (hyperfine, offscreen)"
time_rounds time "$rounds"

# For information: the same, drawn on an X display (Xvfb), as on a user's desktop, where
# the toolkit takes longer to start and the program reads its font configuration meanwhile.
x_rounds=${X_ROUNDS:-2}
if command -v Xvfb >/dev/null && ((x_rounds > 0)); then
  echo "Start-up to first paint on an X display, $((x_rounds * runs_per_round)) runs each (Xvfb)"
  time_rounds x-time "$x_rounds" \
    env QT_QPA_PLATFORM=xcb "$(dirname "$0")/../../tests/qt/run_on_xvfb.sh"
fi

/usr/bin/python3 - "$scratch" "$bare" "$text" "$real" "$instructions_target" "$memory_target" <<'EOF'
import glob, json, os, re, statistics, sys

scratch, bare, text, real = sys.argv[1:5]
instructions_target, memory_target = float(sys.argv[5]), float(sys.argv[6])
programs = (bare, text, real)
names = {bare: "empty window", text: "one-label window", real: "Quorvel"}

def callgrind_total(path):
    with open(path) as profile:
        for line in profile:
            if line.startswith("summary:"):
                return int(line.split()[1])
    sys.exit(f"startup bench: no total in {path}")

first_frame = {p: [] for p in programs}
whole_run = {p: [] for p in programs}
for program in programs:
    for path in sorted(glob.glob(os.path.join(scratch, f"callgrind-{os.path.basename(program)}-*"))):
        if not re.search(r"-\d+$", path):
            continue
        if not os.path.exists(path + ".1"):
            sys.exit(f"startup bench: callgrind saw no first frame in {os.path.basename(program)}")
        first_frame[program].append(callgrind_total(path + ".1"))
        parts = [path] + glob.glob(glob.escape(path) + ".*")
        whole_run[program].append(sum(callgrind_total(part) for part in parts))

def load_times(pattern):
    times = {p: [] for p in programs}
    for path in sorted(glob.glob(os.path.join(scratch, pattern))):
        for result in json.load(open(path))["results"]:
            times[result["command"]].extend(result["times"])
    return times
times = load_times("time-*.json")
x_times = load_times("x-time-*.json")
memory = {p: [] for p in programs}
by_name = {os.path.basename(p): p for p in programs}
for line in open(os.path.join(scratch, "memory.txt")):
    name, kib = line.split()
    memory[by_name[name]].append(int(kib))

median = statistics.median
def verdict(ratio, target):
    return "within target" if ratio <= target else "OVER TARGET"

print()
print(f"{'instructions (M)':<18}{'first frame':>12}{'whole run':>12}{'min':>10}{'max':>10}{'runs':>6}")
for p in programs:
    print(f"{names[p]:<18}{median(first_frame[p]) / 1e6:>12.2f}{median(whole_run[p]) / 1e6:>12.2f}"
          f"{min(first_frame[p]) / 1e6:>10.2f}{max(first_frame[p]) / 1e6:>10.2f}"
          f"{len(first_frame[p]):>6}")
print(f"{'peak RSS (KiB)':<18}{'median':>12}{'':>12}{'min':>10}{'max':>10}{'runs':>6}")
for p in programs:
    m = memory[p]
    print(f"{names[p]:<18}{median(m):>12.0f}{'':>12}{min(m):>10}{max(m):>10}{len(m):>6}")
def print_times(title, times):
    print(f"{title:<18}{'median':>12}{'mean':>12}{'stddev':>10}{'min':>10}{'runs':>6}")
    for p in programs:
        t = [x * 1000 for x in times[p]]
        print(f"{names[p]:<18}{median(t):>12.2f}{statistics.mean(t):>12.2f}"
              f"{statistics.stdev(t):>10.2f}{min(t):>10.2f}{len(t):>6}")
print_times("start-up (ms)", times)
if x_times[bare]:
    print_times("on X (ms)", x_times)

def ratio(figures, over):
    return median(figures[real]) / median(figures[over])
print()
frame_ratio = ratio(first_frame, text)
memory_ratio = ratio(memory, text)
print(f"instructions to the first frame, Quorvel/one-label window: {frame_ratio:.3f}, "
      f"target <= {instructions_target:.2f}: {verdict(frame_ratio, instructions_target)}")
print(f"peak memory, Quorvel/one-label window: {memory_ratio:.3f}, "
      f"target <= {memory_target:.2f}: {verdict(memory_ratio, memory_target)}")
print(f"for information: whole run (quitting included), Quorvel/one-label window: "
      f"{ratio(whole_run, text):.3f} instructions; wall time to the first frame "
      f"{ratio(times, text):.3f} (medians)")
print(f"for information, against the empty window: Quorvel {ratio(first_frame, bare):.3f} "
      f"instructions, {ratio(memory, bare):.3f} memory, {ratio(times, bare):.3f} wall time; "
      f"one-label window {median(first_frame[text]) / median(first_frame[bare]):.3f}, "
      f"{median(memory[text]) / median(memory[bare]):.3f}, "
      f"{median(times[text]) / median(times[bare]):.3f}")
if x_times[bare]:
    print(f"on an X display (Xvfb), wall time Quorvel/one-label window: "
          f"{ratio(x_times, text):.3f}, Quorvel/empty window: {ratio(x_times, bare):.3f} "
          f"(medians, for information)")
EOF
