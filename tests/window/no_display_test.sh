#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started where no window can open (no display set, or one that does not
# answer), the program says so in one line and ends with status 1: no abort.
# Usage: no_display_test.sh VELMORIN
set -uo pipefail
program=$1
failed=0
expect_one_line() {
  local what=$1 status=$2 log=$3
  if [ "$status" -ne 1 ]; then
    echo "FAILED ($what): status $status instead of 1"; failed=1
  elif ! grep -q '^velmorin: 没有可用的图形显示.* / no graphical display' "$log"; then
    echo "FAILED ($what): no clear line on stderr:"; cat "$log"; failed=1
  fi
}
log=$(mktemp)
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>"$log"
expect_one_line "no display set" $? "$log"
[ "$(wc -l <"$log")" -eq 1 ] || { echo "FAILED: more than one line:"; cat "$log"; failed=1; }
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:64999 "$program" 2>"$log"
expect_one_line "a display that does not answer" $? "$log"
rm -f "$log"
[ "$failed" -eq 0 ] && echo "OK"
exit "$failed"
