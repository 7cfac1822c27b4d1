#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a virtual screen, typed at with xdotool, killed with
# kill -9 after k answers (in a point's confirm loop, in a re-entry, at a
# spacing, at a pause), started again, resumed and finished: its last
# calculation equals, byte for byte, that of the same answers typed without
# interruption.
# Usage: kill_resume_test.sh VELMORIN   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# Two sections without stations, 2 and 1 points; point 2's elevation entered
# again; spacing 20; one pause.
answers=(2 n 2 1  100 "" 2 ""  101 0 102 "" -2 ""  99 "" 0 ""  20 ""  "")

main=
last=
start() {
  "$program" 2>>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Velmorin$' | head -1)
  last=$main
}

# Waits for the next dialog (the newest window titled Velmorin) to show.
next_dialog() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name '^Velmorin$' 2>/dev/null | sort -n | tail -1 || true)
    if [ -n "$id" ] && [ "$id" != "$main" ] && [ "$id" != "$last" ]; then last=$id; return; fi
    sleep 0.05
  done
  echo "FAILED: no dialog appeared"; exit 1
}

reply() {
  next_dialog
  xdotool windowfocus --sync "$last"
  [ -n "$1" ] && xdotool type --delay 10 -- "$1"
  xdotool key Return
}

calculate() {
  xdotool windowfocus --sync "$main"
  xdotool key Tab Tab Tab Tab Tab space
}

# Types answers FROM..TO-1; with a kill, waits for the next prompt first: the
# answers before it are on the disk by then.
type_answers() {
  local k
  for ((k = $1; k < $2; ++k)); do reply "${answers[$k]}"; done
}

finish_and_keep() {  # waits for the last calculation, copies it to $1
  local saved=$XDG_DATA_HOME/velmorin/最近一次计算.csv
  for _ in $(seq 100); do [ -f "$saved" ] && break; sleep 0.05; done
  [ -f "$saved" ] || { echo "FAILED: no last calculation after $1"; exit 1; }
  cp "$saved" "$work/$1.csv"
  [ ! -e "$XDG_DATA_HOME/velmorin/calculation.journal" ] ||
    { echo "FAILED: the journal was left after $1"; exit 1; }
  kill "$pid"; wait "$pid" || true; pid=
}

export XDG_DATA_HOME=$work/straight
start; calculate; type_answers 0 ${#answers[@]}; finish_and_keep straight

failed=0
for k in 5 10 18 20; do
  export XDG_DATA_HOME=$work/killed-$k
  start; calculate; type_answers 0 "$k"
  next_dialog
  kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=
  start; calculate
  reply ""  # 是, the default button of the question
  type_answers "$k" ${#answers[@]}
  finish_and_keep "killed-$k"
  if cmp -s "$work/straight.csv" "$work/killed-$k.csv"; then
    echo "ok: killed after $k answers, resumed, the same calculation"
  else
    echo "FAILED: killed after $k answers:"; diff "$work/straight.csv" "$work/killed-$k.csv" || true
    failed=1
  fi
done
exit "$failed"
