#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a virtual screen, typed at with xdotool, killed with
# kill -9 after k answers (in a point's confirm loop, in a re-entry, at a
# spacing, at a pause), started again, resumed and finished: its last
# calculation equals, byte for byte, that of the same answers typed without
# interruption. Also: killed with its journal's last line cut (or padded with
# NULs, as a power cut leaves it), resumed, killed again and resumed; its
# window destroyed at a confirm (no confirm is made up); a FIFO where the
# journal is (told, no hang).
# Usage: kill_resume_test.sh VELMORIN   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi
work=$(mktemp -d)
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=typing.sh
source "$(dirname "$0")/typing.sh"

type_straight

# With a kill, waits for the next prompt first: the answers before it are on
# the disk by then.
kill_after() {
  type_answers "$1" "$2"
  next_dialog
  kill_hard
}

resume_from() {  # starts again, answers 是 and types from answer $1 on
  start; calculate
  reply ""  # 是, the default button of the question
  type_answers "$1" ${#answers[@]}
}

for k in 5 10 18 20; do
  export XDG_DATA_HOME=$work/killed-$k
  start; calculate; kill_after 0 "$k"
  resume_from "$k"
  finish_and_keep "killed-$k"
  same_as_straight "killed-$k"
done

for cut in fragment nuls; do
  export XDG_DATA_HOME=$work/cut-$cut
  start; calculate; kill_after 0 10
  journal=$(unfinished_journals)
  if [ $cut = fragment ]; then
    printf '0123abcd\tanswer\televat' >>"$journal"
  else
    head -c 300 /dev/zero >>"$journal"
  fi
  start; calculate; reply ""; kill_after 10 14
  resume_from 14
  finish_and_keep "cut-$cut"
  same_as_straight "cut-$cut"
done

export XDG_DATA_HOME=$work/window-gone
start; calculate; type_answers 0 5
next_dialog  # the confirm of point 1's elevation
xdotool windowclose "$main"
wait_until process_gone "$pid" || { echo "FAILED: the program runs on without its window"; exit 1; }
wait "$pid" || true; pid=
resume_from 5  # the confirm asked again
finish_and_keep window-gone
same_as_straight window-gone

export XDG_DATA_HOME=$work/fifo
mkdir -p "$XDG_DATA_HOME/velmorin"
mkfifo "$XDG_DATA_HOME/velmorin/calculation.journal"
start; calculate
reply ""  # told it cannot be used
type_answers 0 ${#answers[@]}
finish_and_keep fifo
same_as_straight fifo
[ -p "$(ls "$XDG_DATA_HOME"/velmorin/calculation-damaged-*.journal)" ] ||
  { echo "FAILED: the FIFO was not moved aside"; failed=1; }
exit "$failed"
