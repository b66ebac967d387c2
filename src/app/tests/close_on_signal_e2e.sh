#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window as a process against the simulated unit on a pseudo-terminal: a
# stop signal ends it with exit 0 after its normal close, with the settings
# and the shadow file written and the port's lock file gone.
# usage: close_on_signal_e2e.sh ZELMO_TCI ZELMO_UNIT_SIM WORK SIGNAL
set -euo pipefail
window=$1 sim=$2 work=$3/$4 signal=$4
rm -rf "$work"
mkdir -p "$work/config"
export QT_QPA_PLATFORM=offscreen ZELMO_TCI_CONFIG_DIR=$work/config

"$sim" --link "$work/port" >"$work/sim.log" 2>&1 &
sim_pid=$!
window_pid=""
# Nothing of the test outlives it, whatever way it ends.
trap 'kill "$sim_pid" $window_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e $work/port ]] && break; sleep 0.1; done

# The window opens the device the link leads to, and QSerialPort names its
# lock after that device without "/dev/", '/' turned into '_'.
device=$(readlink -f "$work/port")
lock_name="LCK..$(tr / _ <<<"${device#/dev/}")"
find_lock() { ls /var/lock/"$lock_name" /run/lock/"$lock_name" /tmp/"$lock_name" 2>/dev/null | head -1 || true; }

# A lock left by an earlier run that was killed would be taken for this one's.
rm -f /var/lock/"$lock_name" /run/lock/"$lock_name" /tmp/"$lock_name"
"$window" --port "$work/port" >"$work/window.log" 2>&1 &
window_pid=$!
lock=""
for _ in $(seq 100); do
  lock=$(find_lock)
  [[ -n $lock ]] && break
  sleep 0.1
done
# Without a writable lock folder the port opens unlocked; the rest still holds.
if [[ -z $lock ]]; then
  [[ -w /var/lock ]] && { echo "the window never locked the port"; exit 1; }
  echo "note: no lock file seen"
fi
kill -s "$signal" "$window_pid"
status=0
wait "$window_pid" || status=$?
[[ $status -eq 0 ]] || { echo "window ended with $status after SIG$signal"; cat "$work/window.log"; exit 1; }
grep -q '^\[FORM_HLAV\]' "$work/config/Zelmo_TCI.ini" || { echo "settings not written"; exit 1; }
[[ -s $work/config/_Zelmo_TCI.ini ]] || { echo "shadow file not written"; exit 1; }
[[ -z $(find_lock) ]] || { echo "lock file left: $(find_lock)"; exit 1; }
echo "SIG$signal: closed with 0, settings and shadow written, no lock left"
