#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program with its data folder on a small tmpfs that fills up in
# mid-run: the journal write that fails is told, the journal keeps the whole
# lines before it and gets nothing after it even once space returns; killed
# and resumed there, the calculation ends as typed straight. Then the same
# disk read-only when 否 wants a backup: told, the journal left whole where it
# was, and offered again once the disk can be written. Skipped (77) where a
# tmpfs cannot be mounted.
# Usage: disk_full_test.sh VELMORIN   (needs xvfb-run, xdotool, mount rights)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi
work=$(mktemp -d)
small=$work/small
mkdir "$small"
if ! mount -t tmpfs -o size=256k tmpfs "$small" 2>"$work/mount"; then
  echo "SKIPPED: cannot mount a small tmpfs here: $(cat "$work/mount")"
  rm -rf "$work"
  exit 77
fi
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; umount "$small"; rm -rf "$work"' EXIT
# shellcheck source=typing.sh
source "$(dirname "$0")/typing.sh"

type_straight
export XDG_DATA_HOME=$small
start; calculate; type_answers 0 7
next_dialog  # the confirm of point 1's distance
dd if=/dev/zero of="$small/filler" bs=4k 2>/dev/null || true
# A blank confirm long enough to need another page of the full disk.
xdotool windowfocus --sync "$last"
xdotool type --delay 0 -- "$(printf '%4200s' '')"
xdotool key Return
reply ""  # told that the journal stops here
rm "$small/filler"
type_answers 8 13
next_dialog
kill_hard
lines=$(wc -l <"$(unfinished_journals)")
[ "$lines" = 8 ] || { echo "FAILED: the journal has $lines lines, not the header and 7 answers"; failed=1; }
start; calculate
reply ""  # 是
type_answers 7 ${#answers[@]}
finish_and_keep disk-full
same_as_straight disk-full

start; calculate; type_answers 0 10; next_dialog; kill_hard
journal=$(unfinished_journals)
mount -o remount,ro "$small"
start; calculate
next_dialog
xdotool windowfocus --sync "$last"
xdotool key Escape  # 否
reply ""   # told the backup could not be made
reply 2    # a new run
reply ""   # told its journal cannot be written
next_dialog; kill_hard
lines=$(wc -l <"$journal")
[ "$lines" = 11 ] || { echo "FAILED: the old journal has $lines lines, not 11"; failed=1; }
mount -o remount,rw "$small"
start; calculate
reply ""  # 是: the old journal is offered again
type_answers 10 ${#answers[@]}
finish_and_keep read-only
same_as_straight read-only
exit "$failed"
