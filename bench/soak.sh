#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Soak test: the window against the simulated unit over a faulty line for
# MINUTES minutes (default 10). A relay between them drops, corrupts and holds
# back replies at random and pulls the line every few minutes; every 20
# seconds the script raises the advance (F5) and programs (F9) or verifies
# (F8) through the window, dismissing whatever box it shows.
#
# Reports polls, transfers started, programs stored and not (a program counts
# as stored when the window keeps its history entry, which it does when the
# unit echoed the block), false successes (a stored program while the unit's
# memory differs from what the window recorded), the growth of the window's resident
# memory and open descriptors, and crashes.
#
# usage: bench/soak.sh [MINUTES]
#   ZELMO_BUILD   build folder with the programs (default build/test)
#   SOAK_DISPLAY  X display for Xvfb (default :97)
#   SOAK_UNPLUG   seconds between pulls of the line (default 180)
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-10}
build=${ZELMO_BUILD:-build/test}
display=${SOAK_DISPLAY:-:97}
unplug=${SOAK_UNPLUG:-180}
for program in "$build/src/app/zelmo-tci" "$build/src/sim/zelmo-unit-sim" "$build/src/cli/zelmo-cli"; do
  [[ -x $program ]] || { echo "soak: $program missing; build first" >&2; exit 2; }
done
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "soak: needs Xvfb and xdotool" >&2; exit 2; }

work=$(mktemp -d /tmp/zelmo-soak.XXXXXX)
export ZELMO_TCI_CONFIG_DIR=$work/config DISPLAY=$display
mkdir -p "$ZELMO_TCI_CONFIG_DIR"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
"$build/src/sim/zelmo-unit-sim" --eeprom "$work/unit.bin" --link "$work/unit" >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -e $work/unit && -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.1; done
python3 bench/soak_relay.py "$work/port" "$work/unit" "$work/line.json" --unplug "$unplug" >"$work/relay.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -e $work/port ]] && break; sleep 0.1; done

start_window() {
  "$build/src/app/zelmo-tci" --port "$work/port" >>"$work/window.log" 2>&1 &
  window_pid=$!
  pids+=("$window_pid")
  window_id=""
  for _ in $(seq 100); do
    window_id=$(xdotool search --pid "$window_pid" --onlyvisible --name . 2>/dev/null | head -1 || true)
    [[ -n $window_id ]] && break
    sleep 0.1
  done
}

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }
fds() { ls "/proc/$1/fd" 2>/dev/null | wc -l; }

# Escape closes a message box, Return the ones without a button for it.
dismiss_boxes() {
  local id
  for id in $(xdotool search --pid "$window_pid" --onlyvisible --name . 2>/dev/null || true); do
    [[ $id == "$window_id" ]] && continue
    xdotool windowfocus --sync "$id" key Escape 2>/dev/null || true
    sleep 0.2
    xdotool windowfocus --sync "$id" key Return 2>/dev/null || true
  done
}

unit_image() { od -An -tx1 -N50 -v "$work/unit.bin" | tr -d ' \n'; }

# Programs recorded by the window since the last look: each must be what the
# unit holds, as no other program ran after it.
checked=""
check_programs() {
  local entry image
  for entry in "$ZELMO_TCI_CONFIG_DIR"/history/*_program*.ign; do
    [[ -e $entry ]] || continue
    grep -qxF "$entry" <<<"$checked" && continue
    checked+="$entry"$'\n'
    succeeded=$((succeeded + 1))
    image=$("$build/src/cli/zelmo-cli" image "$entry" | tr -d ' \n')
    [[ $image == "$(unit_image)" ]] || { false_successes=$((false_successes + 1)); echo "false success: $entry" >>"$work/report.log"; }
  done
}

crashes=0 programs=0 verifies=0 succeeded=0 false_successes=0
start_window
sleep 20
rss_start=$(rss_kb "$window_pid") fds_start=$(fds "$window_pid") rss_max=$rss_start fds_max=$fds_start
end=$((SECONDS + minutes * 60))
cycle=0
while ((SECONDS < end)); do
  if ! kill -0 "$window_pid" 2>/dev/null; then
    wait "$window_pid" || true
    crashes=$((crashes + 1))
    echo "window ended at $SECONDS s" >>"$work/report.log"
    start_window
  fi
  dismiss_boxes
  check_programs
  xdotool windowfocus --sync "$window_id" 2>/dev/null || true
  if ((cycle % 2 == 0)); then
    xdotool key F5 F9 2>/dev/null || true
    programs=$((programs + 1))
  else
    xdotool key F8 2>/dev/null || true
    verifies=$((verifies + 1))
  fi
  cycle=$((cycle + 1))
  for _ in $(seq 20); do
    sleep 1
    rss=$(rss_kb "$window_pid") fd=$(fds "$window_pid")
    ((rss > rss_max)) && rss_max=$rss
    ((fd > fds_max)) && fds_max=$fd
  done
done
dismiss_boxes
sleep 2
check_programs
rss_end=$(rss_kb "$window_pid") fds_end=$(fds "$window_pid")

cp "$work/line.json" "$work/line-end.json"
polls=$(python3 -c "import json; print(json.load(open('$work/line-end.json'))['polls'])")
line=$(python3 -c "import json; s = json.load(open('$work/line-end.json')); print(', '.join(f'{k} {v}' for k, v in s.items()))")
cat <<EOF | tee -a "$work/report.log"
soak: $minutes min, line pulled every $unplug s
polls: $polls
transfers started: $((programs + verifies)) ($programs programs, $verifies verifies)
programs stored (echoed by the unit, kept in the history): $succeeded, not stored: $((programs - succeeded))
false successes: $false_successes
resident memory: $rss_start kB at start, $rss_end kB at end (growth $((rss_end - rss_start)) kB, highest $rss_max kB)
open descriptors: $fds_start at start, $fds_end at end (highest $fds_max)
crashes: $crashes
line: $line
files: $work
EOF
((false_successes == 0 && crashes == 0))
