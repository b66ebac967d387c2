#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time to the first shown window and resident memory of zelmo-tci,
# side by side with a bare Qt Widgets window of the same size started the same
# way, and the processor time zelmo-tci uses over 30 s while it polls the
# simulated unit. Targets: start-up at most 1.5 times the bare window, memory
# at most 1.3 times, polling below 1 % of one core. Prints a table; exits 1 when a target
# is missed. For reference it also measures the bare window with one label in
# it, which shows what any window with text costs, and so how much of
# zelmo-tci's figures is its own.
#
# Usage: bench/startup_memory.sh [BUILD_DIR]
# Without BUILD_DIR it builds a Release tree in build/bench first. Runs on its
# own Xvfb display, so a desktop's window manager does not take part.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${ZELMO_BENCH_RUNS:-5}
poll_seconds=30

if [ $# -ge 1 ]; then
  build=$1
else
  scripts/setup
  build=build/bench
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j "$(nproc)" --target zelmo-tci zelmo-unit-sim bare_window label_window map_watch
fi
tci=$build/src/app/zelmo-tci
sim=$build/src/sim/zelmo-unit-sim
bare=$build/bench/qt/bare_window
label=$build/bench/qt/label_window
watch=$build/bench/qt/map_watch
for program in "$tci" "$sim" "$bare" "$label" "$watch"; do
  [ -x "$program" ] || { echo "startup_memory: $program is missing" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

Xvfb -displayfd 3 -screen 0 1024x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
display=
for _ in $(seq 200); do
  display=$(tr -dc '0-9' <"$work/display")
  [ -n "$display" ] && break
  sleep 0.05
done
[ -n "$display" ] || { cat "$work/xvfb.log" >&2; echo "startup_memory: Xvfb did not start" >&2; exit 2; }
export DISPLAY=:$display
unset QT_QPA_PLATFORM
# A desktop session always has a runtime folder; without one Qt warns at every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

link=$work/zelmo-unit
"$sim" --link "$link" >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done
[ -e "$link" ] || { cat "$work/sim.log" >&2; echo "startup_memory: no simulated unit" >&2; exit 2; }

# Ends a program that map_watch left running (it is not our child).
stop() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  kill -9 "$1" 2>/dev/null || true
}

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start: prints "milliseconds rss_kb"; the memory is taken a second after
# the window was mapped, when the first paint is done.
measure() {
  local ms pid rss
  # Into a file: the program keeps map_watch's output open after it ends.
  "$watch" "$@" >"$work/watch.out" || { echo "startup_memory: $1 showed no window" >&2; exit 2; }
  read -r ms pid <"$work/watch.out"
  sleep 1
  rss=$(rss_kb "$pid")
  stop "$pid"
  echo "$ms $rss"
}

: >"$work/tci.txt"
: >"$work/bare.txt"
: >"$work/label.txt"
for run in $(seq "$runs"); do
  # Alternate, so that a slow phase of the machine hits all alike.
  measure "$bare" >>"$work/bare.txt"
  measure "$label" >>"$work/label.txt"
  ZELMO_TCI_CONFIG_DIR=$work/config-$run measure "$tci" --port "$link" >>"$work/tci.txt"
done
tci_ms=$(cut -d' ' -f1 "$work/tci.txt" | median)
bare_ms=$(cut -d' ' -f1 "$work/bare.txt" | median)
tci_kb=$(cut -d' ' -f2 "$work/tci.txt" | median)
bare_kb=$(cut -d' ' -f2 "$work/bare.txt" | median)
label_ms=$(cut -d' ' -f1 "$work/label.txt" | median)
label_kb=$(cut -d' ' -f2 "$work/label.txt" | median)

# Polling: the window connected to the unit, its processor time over 30 s.
ZELMO_TCI_CONFIG_DIR=$work/config-poll "$watch" "$tci" --port "$link" >"$work/watch.out"
read -r _ poll_pid <"$work/watch.out"
sleep 3
port_open=no
if ls -l "/proc/$poll_pid/fd" 2>/dev/null | grep -q "$(readlink -f "$link")"; then port_open=yes; fi
ticks_before=$(cpu_ticks "$poll_pid")
sleep "$poll_seconds"
ticks_after=$(cpu_ticks "$poll_pid")
stop "$poll_pid"
clk_tck=$(getconf CLK_TCK)

awk -v tms="$tci_ms" -v bms="$bare_ms" -v tkb="$tci_kb" -v bkb="$bare_kb" \
    -v lms="$label_ms" -v lkb="$label_kb" \
    -v ticks=$((ticks_after - ticks_before)) -v hz="$clk_tck" -v secs="$poll_seconds" \
    -v runs="$runs" -v open="$port_open" '
  function verdict(ok) { if (!ok) missed = 1; return ok ? "ok" : "MISSED" }
  BEGIN {
    cpu = ticks / hz / secs * 100
    printf "%-34s %12s %12s %7s %9s\n", "median of " runs " starts", "measured", "bare window", "ratio", "target"
    printf "%-34s %12.1f %12.1f %7.2f %9s  %s\n", "zelmo-tci, start to window [ms]", tms, bms, tms / bms, "<= 1.5", verdict(tms <= 1.5 * bms)
    printf "%-34s %12.1f %12.1f %7.2f %9s\n", "window with one label [ms]", lms, bms, lms / bms, "reference"
    printf "%-34s %12d %12d %7.2f %9s  %s\n", "zelmo-tci, resident memory [kB]", tkb, bkb, tkb / bkb, "<= 1.3", verdict(tkb <= 1.3 * bkb)
    printf "%-34s %12d %12d %7.2f %9s\n", "window with one label [kB]", lkb, bkb, lkb / bkb, "reference"
    printf "%-34s %11.2f%% %12s %7s %9s  %s\n", "zelmo-tci, processor, " secs " s polling", cpu, "", "", "< 1 %", verdict(cpu < 1)
    if (open != "yes") { print "the window did not hold the unit'"'"'s port open while polling"; missed = 1 }
    exit missed
  }'
