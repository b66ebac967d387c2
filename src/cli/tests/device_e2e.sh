#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One end-to-end case of the device commands: zelmo-cli against
# zelmo-unit-sim over a real pseudo-terminal.
# usage: device_e2e.sh CLI SIM WORKDIR CASE
set -u
cli=$1 sim=$2 work=$3 case=$4
dir=$work/$case
rm -rf "$dir" && mkdir -p "$dir" || exit 1
# Qt locks a port by the last part of its name, so every case has its own.
tty=$dir/ttyZelmo_$case
pids=()
# The settings and the history of every case stay in its own folder, never
# in the user's.
export ZELMO_TCI_CONFIG_DIR=$dir/config
mkdir -p "$ZELMO_TCI_CONFIG_DIR" || exit 1
history=$ZELMO_TCI_CONFIG_DIR/history

cleanup() {
  for p in "${pids[@]}"; do
    kill "$p" 2>/dev/null
    wait "$p" 2>/dev/null
  done
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case): $*"
  for f in out err sim.err; do
    [ -s "$dir/$f" ] && sed "s/^/  $f: /" "$dir/$f"
  done
  exit 1
}

start_sim() {
  rm -f "$dir/sim.out"
  "$sim" --link "$tty" "$@" >"$dir/sim.out" 2>"$dir/sim.err" &
  sim_pid=$!
  pids+=("$sim_pid")
  for _ in $(seq 200); do
    [ -s "$dir/sim.out" ] && [ -L "$tty" ] && return 0
    sleep 0.02
  done
  fail "the simulator did not come up"
}

stop_sim() {
  kill "$sim_pid" 2>/dev/null
  wait "$sim_pid" 2>/dev/null
  [ ! -e "$tty" ] || fail "the simulator left its link behind"
}

# run RC ARGS...: runs zelmo-cli and insists on its exit status.
run() {
  local want=$1
  shift
  timeout 30 "$cli" "$@" >"$dir/out" 2>"$dir/err"
  local rc=$?
  [ "$rc" = "$want" ] || fail "zelmo-cli $* exited $rc, expected $want"
}

has() { grep -qF -- "$2" "$dir/$1" || fail "$1 lacks '$2'"; }
lacks() { ! grep -qF -- "$2" "$dir/$1" || fail "$1 has '$2'"; }
count() { grep -cF -- "$2" "$dir/$1"; }
image_of() { "$cli" image "$1"; }
last_line() { tail -n 1 "$dir/$1"; }
# history_entries PATTERN: the history entries whose names match, one a line.
history_entries() { find "$history" -maxdepth 1 -name "$1" 2>/dev/null | sort; }
# one_entry EVENT: sets entry to the only history entry, which must be of that event.
one_entry() {
  local all
  all=$(history_entries '*.ign')
  [ "$(printf '%s' "$all" | grep -c .)" = 1 ] || fail "expected one history entry, found: ${all:-none}"
  case "$all" in *_"$1".ign) ;; *) fail "the history entry is no $1: $all" ;; esac
  entry=$all
}
# The speed breakpoints of a parameter file rise strictly.
rising() { awk '/^RPM_ADV/ { for (i = 3; i <= 11; i++) if ($i + 0 <= $(i - 1) + 0) exit 1 }' "$1"; }
# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
mismatch_60="Unmatched version of PC and Ignition programs!  PC-61, IGN-60"

case "$case" in
  read)
    start_sim
    run 0 read --port "$tty" -o "$dir/read.ign"
    has err "Read device:"
    has err "Unit: ZSM12  14. 3.2025  09:05"
    has err "Verify: OK"
    grep -q "^TORVANEX_KEY   61" "$dir/read.ign" || fail "no key line in the file read"
    # The window's history beside the settings keeps what was read.
    one_entry read
    [ "$(image_of "$entry")" = "$(image_of "$dir/read.ign")" ] || fail "the history entry differs from the file read"
    run 0 read --port "$tty"
    has out "TORVANEX_KEY   61"
    [ "$(history_entries '*_read*.ign' | wc -l)" = 2 ] || fail "the second read kept no history entry"
    ;;
  program_verify)
    start_sim --eeprom "$dir/unit.bin"
    "$cli" new --bike 7 "$dir/bike7.ign" || fail "new"
    started=$(now_ms)
    run 0 program --port "$tty" "$dir/bike7.ign"
    took=$(($(now_ms) - started))
    has err "Program device:"
    has err "Verify: OK"
    # It ends when the unit's saving countdown has run out (1.1 s after the
    # store), its progress shown on the way: not at the verify.
    [ "$took" -ge 1100 ] || fail "program ended $took ms after its start, before the unit had saved"
    has err "Saving:"
    [ "$(tail -n 2 "$dir/err" | head -n 1 | grep -c "^Saving: [0-9]* %$")" = 1 ] ||
      fail "the success text does not follow the saving progress"
    [ "$(last_line err)" = "Programing: OK" ] || fail "programming did not end with its success text"
    one_entry program
    [ "$(image_of "$entry")" = "$(image_of "$dir/bike7.ign")" ] || fail "the history entry is not what was programmed"
    run 0 verify --port "$tty" "$dir/bike7.ign"
    has err "Verify device:"
    has err "Verify: OK"
    lacks err "Unmatched version"
    [ "$(history_entries '*.ign' | wc -l)" = 1 ] || fail "a verify kept a history entry"
    # The unit keeps it across a restart.
    stop_sim
    start_sim --eeprom "$dir/unit.bin"
    run 0 read --port "$tty" -o "$dir/back.ign"
    [ "$(image_of "$dir/back.ign")" = "$(image_of "$dir/bike7.ign")" ] || fail "the unit does not hold what was programmed"
    run 0 monitor --port "$tty" --count 1
    has out "Number of Programing= 1"
    ;;
  verify_mismatch)
    start_sim
    "$cli" new --bike 7 "$dir/bike7.ign" || fail "new"
    run 1 verify --port "$tty" "$dir/bike7.ign"
    has err "Verify error!"
    has err "* Bike"
    has err "reserved bytes: 0 differ"
    lacks err "Unmatched version"
    ;;
  monitor)
    start_sim
    run 0 monitor --port "$tty" --count 3
    [ "$(count out "RPM = ")" = 3 ] || fail "expected three monitor lines"
    has out "U = "
    has out "Pick-up (CPS) 1 -  is running"
    lacks out "Programmed data error"
    run 0 monitor --port "$tty" --count 2 --csv
    [ "$(wc -l <"$dir/out")" = 3 ] || fail "expected a header and two rows"
    head -n 1 "$dir/out" | grep -q "engineRpm" || fail "no CSV header"
    fields=$(awk -F, '{ print NF }' "$dir/out" | sort -u)
    [ "$fields" -gt 20 ] 2>/dev/null || fail "rows and header differ in their number of fields: $fields"
    ;;
  silent)
    start_sim --silent
    run 1 read --port "$tty"
    has err "Read error!"
    [ ! -s "$dir/out" ] || fail "a silent unit gave a file"
    "$cli" new "$dir/p.ign" || fail "new"
    run 1 program --port "$tty" "$dir/p.ign"
    has err "Program error!"
    ;;
  drop_every_2 | corrupt_every_2)
    if [ "$case" = drop_every_2 ]; then start_sim --drop-every 2; else start_sim --corrupt-every 2; fi
    run 0 read --port "$tty" -o "$dir/r.ign"
    has err "Verify: OK"
    "$cli" new --bike 3 "$dir/p.ign" || fail "new"
    run 0 program --port "$tty" "$dir/p.ign" --trace
    has err "Programing: OK"
    [ "$(count err ">> 01")" -ge 2 ] || fail "the block was not sent again"
    ;;
  delay)
    # Answers within the 4 ticks before a resend take no resend.
    start_sim --delay 120
    "$cli" new --bike 1 "$dir/p.ign" || fail "new"
    run 0 program --port "$tty" "$dir/p.ign" --trace
    [ "$(count err ">> 01")" = 1 ] || fail "the block was sent more than once"
    run 0 read --port "$tty" -o "$dir/r.ign"
    [ "$(image_of "$dir/r.ign")" = "$(image_of "$dir/p.ign")" ] || fail "read back differs"
    ;;
  bad_echo_1)
    start_sim --bad-echo 1
    "$cli" new --bike 2 "$dir/p.ign" || fail "new"
    run 0 program --port "$tty" "$dir/p.ign" --trace
    [ "$(count err ">> 01")" = 2 ] || fail "expected the block to be sent twice"
    has err "Programing: OK"
    ;;
  bad_echo_20)
    start_sim --bad-echo 20
    "$cli" new --bike 2 "$dir/p.ign" || fail "new"
    run 1 program --port "$tty" "$dir/p.ign" --trace
    [ "$(count err ">> 01")" = 5 ] || fail "expected five sends of the block"
    has err "Program error!"
    lacks err "Programing: OK"
    # The unit saves after every store; its progress never follows the failure.
    run 1 program --port "$tty" "$dir/p.ign"
    lacks err "Saving"
    [ "$(last_line err)" = "Program error!" ] || fail "the failed program did not end on its error"
    ;;
  unordered)
    start_sim --unordered
    run 1 read --port "$tty" -o "$dir/r.ign"
    has err "Verify error!"
    [ -s "$dir/r.ign" ] || fail "the file read was not written"
    # Written in the order the window would show.
    rising "$dir/r.ign" || fail "breakpoints not in order: $(grep RPM_ADV "$dir/r.ign")"
    # The history keeps the unit's own bytes, unordered: put in order they are the file read.
    one_entry read
    ! rising "$entry" || fail "the history entry was put in order: $(grep RPM_ADV "$entry")"
    [ "$(image_of "$entry")" = "$(image_of "$dir/r.ign")" ] || fail "the history entry is not what the unit held"
    run 0 monitor --port "$tty" --count 1
    has out "Programmed data error"
    ;;
  version_60)
    start_sim --protocol-version 60
    run 3 read --port "$tty" -o "$dir/r.ign"
    has err "Unmatched version of PC and Ignition programs!  PC-61, IGN-60"
    [ ! -e "$dir/r.ign" ] || fail "a file was written"
    "$cli" new "$dir/p.ign" || fail "new"
    run 3 program --port "$tty" "$dir/p.ign" --trace
    lacks err ">> 01"
    run 0 monitor --port "$tty" --count 1
    has out "Number of Programing= 0"
    has out "PC-61, IGN-60"
    [ -z "$(history_entries '*')" ] || fail "a refused transfer kept a history entry"
    # Verify reads only block 1: the version comes with the unit's monitor frames.
    "$cli" new --bike 7 "$dir/bike7.ign" || fail "new"
    run 3 verify --port "$tty" "$dir/bike7.ign"
    has err "Verify error!"
    [ "$(last_line err)" = "$mismatch_60" ] || fail "the verify did not end with the version line"
    # The very parameters the file holds do not make another version right.
    run 3 verify --port "$tty" "$dir/p.ign"
    has err "Verify: OK"
    [ "$(last_line err)" = "$mismatch_60" ] || fail "the verify did not end with the version line"
    ;;
  unplug)
    # Cut after each reply of a program in turn: never a success, never a crash.
    "$cli" new --bike 4 "$dir/p.ign" || fail "new"
    for n in 1 2 3; do
      start_sim --unplug-after "$n"
      # The third: verified, then gone while saving.
      run "$([ "$n" = 3 ] && echo 4 || echo 1)" program --port "$tty" "$dir/p.ign"
      lacks err "Programing: OK"
      wait "$sim_pid" 2>/dev/null
    done
    has err "verified, but the unit stopped answering while saving"
    start_sim --unplug-after 1
    run 1 read --port "$tty" -o "$dir/r.ign"
    has err "Read error!"
    [ ! -e "$dir/r.ign" ] || fail "a file was written"
    ;;
  saving_silent)
    # Verified, then silent after the first report of the unit's saving (the
    # fourth reply): never a success, and the last word is that it did not confirm.
    "$cli" new --bike 5 "$dir/p.ign" || fail "new"
    start_sim --unplug-after 4
    run 4 program --port "$tty" "$dir/p.ign"
    has err "Verify: OK"
    has err "Saving: "
    lacks err "Programing: OK"
    [ "$(last_line err)" = "zelmo-cli: verified, but the unit stopped answering while saving; check it with verify after reconnecting" ] ||
      fail "the program did not end with the missing confirmation"
    wait "$sim_pid" 2>/dev/null
    # Gone right after the verify: the version cannot be learnt, the verify stands.
    "$cli" new "$dir/factory.ign" || fail "new"
    start_sim --unplug-after 1
    run 0 verify --port "$tty" "$dir/factory.ign"
    has err "Verify: OK"
    lacks err "Unmatched version"
    wait "$sim_pid" 2>/dev/null
    ;;
  reconnect)
    start_sim
    timeout 30 "$cli" monitor --port "$tty" --count 8 >"$dir/out" 2>"$dir/err" &
    monitor_pid=$!
    pids+=("$monitor_pid")
    for _ in $(seq 100); do
      [ "$(count out "RPM = ")" -ge 3 ] && break
      sleep 0.05
    done
    stop_sim
    sleep 0.5
    start_sim
    wait "$monitor_pid"
    rc=$?
    [ "$rc" = 0 ] || fail "monitor exited $rc"
    [ "$(count out "RPM = ")" = 8 ] || fail "expected eight monitor lines"
    has err "No Connection"
    ;;
  ports)
    # COM numbers from the settings file's PORTS section (in the case's own folder).
    printf '[FORM_HLAV]\r\nComPort=1\r\n[PORTS]\r\nCOM3=%s\r\nCOM4=%s\r\n' "$tty" "$dir/none" \
      >"$ZELMO_TCI_CONFIG_DIR/Zelmo_TCI.ini"
    run 0 ports
    grep -q "^COM3	$tty	(settings PORTS)" "$dir/out" || fail "COM3 not listed with its device"
    start_sim
    run 0 read --port COM3 -o "$dir/r.ign"
    has err "Verify: OK"
    run 2 read --port COM4 -o "$dir/r4.ign"
    has err "zelmo-cli: cannot open the port $dir/none"
    lacks err "Com"
    ;;
  no_port)
    run 2 read --port "$dir/no-such-port"
    # In the tool's own words: every line its own, none about the window's menu.
    [ "$(head -n 1 "$dir/err")" = "zelmo-cli: cannot open the port $dir/no-such-port: No such file or directory" ] ||
      fail "the port error does not come first in the tool's words"
    [ "$(grep -vc "^zelmo-cli: " "$dir/err")" = 0 ] || fail "a port error line does not start with zelmo-cli:"
    lacks err "Com"
    run 2 monitor --port="$dir/no-such-port"
    has err "zelmo-cli: cannot open the port $dir/no-such-port"
    run 2 read
    has err "--port DEVICE is required"
    ;;
  output_checked)
    # A file that cannot be written is found before the unit is asked: the
    # silent unit would take seconds to give up.
    start_sim --silent
    started=$(now_ms)
    run 2 read --port "$tty" -o "$dir/no/such/folder/r.ign"
    took=$(($(now_ms) - started))
    has err "r.ign: cannot write: No such file or directory"
    lacks err "Read device"
    [ "$took" -lt 1000 ] || fail "the unwritable file was found only after $took ms"
    mkdir "$dir/folder.ign"
    run 2 read --port "$tty" -o "$dir/folder.ign"
    has err "Is a directory"
    ;;
  standard_streams)
    # "-" is standard input for verify and program and standard output for read -o.
    start_sim
    "$cli" new --bike 7 - | timeout 30 "$cli" program --port="$tty" - >"$dir/out" 2>"$dir/err" ||
      fail "program from standard input failed"
    has err "Programing: OK"
    run 0 read --port "$tty" -o -
    "$cli" new --bike 7 "$dir/bike7.ign" || fail "new"
    [ "$(image_of - <"$dir/out")" = "$(image_of "$dir/bike7.ign")" ] || fail "read -o - is not what was programmed"
    timeout 30 "$cli" verify --port "$tty" -- - <"$dir/bike7.ign" >"$dir/out" 2>"$dir/err" || fail "verify - failed"
    has err "Verify: OK"
    ;;
  monitor_silent)
    start_sim --silent
    started=$(now_ms)
    run 1 monitor --port "$tty" --count 3 --timeout 1.5
    took=$(($(now_ms) - started))
    [ "$(last_line err)" = "zelmo-cli: the unit sent no live values for 1.5 s" ] || fail "no word on the silence"
    [ "$took" -ge 1500 ] && [ "$took" -lt 5000 ] || fail "monitor gave up after $took ms"
    [ ! -s "$dir/out" ] || fail "a silent unit gave live values"
    # --count alone has a limit of its own.
    run 1 monitor --port "$tty" --count 1
    has err "no live values for 10 s"
    run 2 monitor --port "$tty" --timeout 0
    has err "--timeout needs a number of seconds above 0"
    ;;
  stop_signals)
    # Ctrl-C while watching: 130 and a last line, the port closed behind it.
    start_sim
    env --default-signal=INT timeout 30 "$cli" monitor --port "$tty" >"$dir/out" 2>"$dir/err" &
    watch_pid=$!
    for _ in $(seq 100); do
      [ "$(count out "RPM = ")" -ge 2 ] && break
      sleep 0.05
    done
    kill -INT "$watch_pid"
    wait "$watch_pid"
    rc=$?
    [ "$rc" = 130 ] || fail "monitor ended with $rc after SIGINT"
    [ "$(last_line err)" = "zelmo-cli: interrupted" ] || fail "no line after SIGINT"
    run 0 monitor --port "$tty" --count 1
    stop_sim
    # SIGTERM after the unit took the parameters: it may be half programmed.
    start_sim --delay 400
    "$cli" new --bike 2 "$dir/p.ign" || fail "new"
    timeout 30 "$cli" program --port "$tty" "$dir/p.ign" >"$dir/out" 2>"$dir/err" &
    program_pid=$!
    for _ in $(seq 200); do
      grep -q "^Unit: " "$dir/err" && break
      sleep 0.02
    done
    kill -TERM "$program_pid"
    wait "$program_pid"
    rc=$?
    [ "$rc" = 143 ] || fail "program ended with $rc after SIGTERM"
    [ "$(last_line err)" = "zelmo-cli: terminated while programming; the unit may have been left half programmed: program it again" ] ||
      fail "the last line does not say the unit may be half programmed"
    stop_sim
    # Before the unit answered anything, nothing was sent to it.
    start_sim --silent
    env --default-signal=INT timeout 30 "$cli" program --port "$tty" "$dir/p.ign" >"$dir/out" 2>"$dir/err" &
    program_pid=$!
    sleep 0.5
    kill -INT "$program_pid"
    wait "$program_pid"
    rc=$?
    [ "$rc" = 130 ] || fail "program ended with $rc after SIGINT"
    [ "$(last_line err)" = "zelmo-cli: interrupted before programming; the unit was not changed" ] ||
      fail "the last line does not say the unit was not changed"
    # Waiting for standard input, without a unit: a pipe with a writer that never writes.
    mkfifo "$dir/in" || fail "mkfifo"
    exec 3<>"$dir/in"
    env --default-signal=INT "$cli" image - <&3 >"$dir/out" 2>"$dir/err" &
    image_pid=$!
    sleep 0.3
    kill -INT "$image_pid"
    wait "$image_pid"
    rc=$?
    exec 3>&-
    [ "$rc" = 130 ] || fail "image - ended with $rc after SIGINT"
    [ "$(cat "$dir/err")" = "zelmo-cli: interrupted" ] || fail "no line after SIGINT while reading standard input"
    ;;
  *)
    fail "no such case"
    ;;
esac
echo "ok ($case)"
