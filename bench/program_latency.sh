#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How fast zelmo-cli programs a prompt unit: from the first frame sent to the
# verify that ends the transfer must take at most 4 ticks of 55 ms. Runs the
# simulated unit on a pseudo-terminal, programs it a few times and reports
# the ticks and milliseconds of the slowest run.
# usage: bench/program_latency.sh [BUILD_DIR] [RUNS]
set -u
build=${1:-build/test}
runs=${2:-10}
cli=$build/src/cli/zelmo-cli
sim=$build/src/sim/zelmo-unit-sim
limit=4
[ -x "$cli" ] && [ -x "$sim" ] || { echo "build zelmo-cli and zelmo-unit-sim in $build first"; exit 2; }

work=$(mktemp -d)
"$sim" --link "$work/ttyZelmoBench" >"$work/sim.out" &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; wait $sim_pid 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do [ -L "$work/ttyZelmoBench" ] && break; sleep 0.02; done
"$cli" new --bike 3 "$work/p.ign" || exit 2

worst_ticks=0
worst_ms=0
for run in $(seq "$runs"); do
  "$cli" program --port "$work/ttyZelmoBench" "$work/p.ign" --trace 2>"$work/trace" || {
    echo "run $run: program failed"; cat "$work/trace"; exit 1; }
  first=$(grep -m1 '] >> 00' "$work/trace" | sed 's/^\[tick \([0-9]*\)\].*/\1/')
  line=$(grep -m1 '] verify ok' "$work/trace")
  done_tick=$(echo "$line" | sed 's/^\[tick \([0-9]*\)\].*/\1/')
  done_ms=$(echo "$line" | sed 's/.*(\([0-9]*\) ms).*/\1/')
  ticks=$((done_tick - first))
  echo "run $run: verify ok $ticks ticks after the first frame (${done_ms} ms into the run)"
  [ "$ticks" -gt "$worst_ticks" ] && worst_ticks=$ticks
  [ "$done_ms" -gt "$worst_ms" ] && worst_ms=$done_ms
done
echo "slowest: $worst_ticks ticks, $worst_ms ms (limit $limit ticks)"
[ "$worst_ticks" -le "$limit" ]
