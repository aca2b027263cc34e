#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up cost of Quorvel against an empty Qt window.
#
# Usage: bench/startup/run.sh [BUILD_DIR]   (make bench runs it on build/)
#
# Both programs start, show their window and quit at its first paint, headless
# (QT_QPA_PLATFORM=offscreen). Time: hyperfine, in rounds that alternate which
# program goes first, RUNS_PER_ROUND runs each per round after a warm-up.
# Memory: peak resident set size from /usr/bin/time -v, the two programs
# alternating, MEMORY_RUNS runs each. Prints the ratios Quorvel/bare against
# their targets; the numbers are a report, not a gate, so the exit status is 0
# unless a program fails to run. When Xvfb is at hand, the start-up is also timed
# on an X display, X_ROUNDS rounds (0 leaves it out), for information: there the
# toolkit's own start is longer, and even the empty window reads the system's font
# configuration (when it closes).
set -euo pipefail

build=${1:-build}
rounds=${ROUNDS:-4}
runs_per_round=${RUNS_PER_ROUND:-10}
memory_runs=${MEMORY_RUNS:-10}
target=1.2

bare=$build/bench/startup/quorvel_bare_window
text=$build/bench/startup/quorvel_bare_label_window
real=$build/bench/startup/quorvel_first_paint
for program in "$bare" "$text" "$real"; do
  if [ ! -x "$program" ]; then
    echo "startup bench: $program is not built (configure with QUORVEL_BUILD_UI=ON)" >&2
    exit 1
  fi
done
for tool in hyperfine /usr/bin/time /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "startup bench: $tool is missing (make deps)" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Both must run and quit by themselves before anything is timed.
for program in "$bare" "$text" "$real"; do
  if ! timeout 30 "$program" >/dev/null 2>"$scratch/err"; then
    echo "startup bench: $program did not quit with status 0 at its first paint" >&2
    cat "$scratch/err" >&2
    exit 1
  fi
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

echo "Peak memory, $memory_runs runs each (/usr/bin/time -v)"
for ((run = 1; run <= memory_runs; run++)); do
  for program in "$bare" "$text" "$real"; do
    /usr/bin/time -v "$program" >/dev/null 2>"$scratch/time.txt"
    rss=$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$scratch/time.txt")
    echo "$(basename "$program") $rss" >>"$scratch/memory.txt"
  done
done

/usr/bin/python3 - "$scratch" "$bare" "$text" "$real" "$target" <<'EOF'
import glob, json, os, statistics, sys

scratch, bare, text, real = sys.argv[1:5]
target = float(sys.argv[5])
def load_times(pattern):
    times = {bare: [], text: [], real: []}
    for path in sorted(glob.glob(os.path.join(scratch, pattern))):
        for result in json.load(open(path))["results"]:
            times[result["command"]].extend(result["times"])
    return times
times = load_times("time-*.json")
x_times = load_times("x-time-*.json")
memory = {os.path.basename(p): [] for p in (bare, text, real)}
for line in open(os.path.join(scratch, "memory.txt")):
    name, kib = line.split()
    memory[name].append(int(kib))

def verdict(ratio):
    return "within target" if ratio <= target else "OVER TARGET"

names = {bare: "bare QWidget", text: "one-label window", real: "Quorvel"}
print()
def print_times(title, times):
    print(f"{title:<16}{'median':>10}{'mean':>10}{'stddev':>10}{'min':>10}{'runs':>6}")
    for program in (bare, text, real):
        t = [x * 1000 for x in times[program]]
        print(f"{names[program]:<16}{statistics.median(t):>10.2f}{statistics.mean(t):>10.2f}"
              f"{statistics.stdev(t):>10.2f}{min(t):>10.2f}{len(t):>6}")
print_times("start-up (ms)", times)
if x_times[bare]:
    print_times("on X (ms)", x_times)
print(f"{'peak RSS (KiB)':<16}{'median':>10}{'min':>10}{'max':>10}{'':>10}{'runs':>6}")
for program in (bare, text, real):
    m = memory[os.path.basename(program)]
    print(f"{names[program]:<16}{statistics.median(m):>10.0f}{min(m):>10}{max(m):>10}{'':>10}"
          f"{len(m):>6}")
time_ratio = statistics.median(times[real]) / statistics.median(times[bare])
mean_ratio = statistics.mean(times[real]) / statistics.mean(times[bare])
memory_ratio = (statistics.median(memory[os.path.basename(real)])
                / statistics.median(memory[os.path.basename(bare)]))
print()
print(f"start-up Quorvel/bare: {time_ratio:.3f} (medians; means give {mean_ratio:.3f}), "
      f"target <= {target}: {verdict(time_ratio)}")
print(f"peak memory Quorvel/bare: {memory_ratio:.3f} (medians), "
      f"target <= {target}: {verdict(memory_ratio)}")
# For information: how much of that any window showing text pays (font system start-up).
text_time = statistics.median(times[text]) / statistics.median(times[bare])
text_memory = (statistics.median(memory[os.path.basename(text)])
               / statistics.median(memory[os.path.basename(bare)]))
print(f"for reference, one-label window/bare: start-up {text_time:.3f}, "
      f"peak memory {text_memory:.3f}; Quorvel/one-label window: start-up "
      f"{time_ratio / text_time:.3f}, peak memory {memory_ratio / text_memory:.3f}")
if x_times[bare]:
    x_ratio = statistics.median(x_times[real]) / statistics.median(x_times[bare])
    x_text = statistics.median(x_times[text]) / statistics.median(x_times[bare])
    print(f"on an X display (Xvfb), start-up Quorvel/bare: {x_ratio:.3f}, "
          f"one-label window/bare: {x_text:.3f} (medians, for information)")
EOF
