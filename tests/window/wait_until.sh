# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the shell tests that wait on the real program. They wait on the
# thing itself (a window, a file, a process gone), never for a fixed time;
# the deadline is far beyond any load the machine may be under, and only
# catches a hang.

wait_seconds=60

# Runs the command given until it succeeds; fails once the deadline has passed.
wait_until() {
  local end=$((SECONDS + wait_seconds))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.05
  done
}

# Succeeds once process $1 has ended.
process_gone() {
  ! kill -0 "$1" 2>/dev/null
}
