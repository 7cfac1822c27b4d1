#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a virtual screen: when its main window is destroyed by
# another client (as a window manager killing it) while a prompt is open, the
# process ends instead of running on with no window.
# Usage: window_gone_test.sh VELMORIN   (needs xvfb-run and xdotool)
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR XDG_DATA_HOME XDG_CONFIG_HOME
XDG_RUNTIME_DIR=$(mktemp -d)
XDG_DATA_HOME=$XDG_RUNTIME_DIR/data XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# shellcheck source=wait_until.sh
source "$(dirname "$0")/wait_until.sh"

"$program" &
pid=$!
main=$(timeout "$wait_seconds" xdotool search --sync --onlyvisible --name '^Velmorin$' | head -1)
# The calculate button comes after the five text boxes of the first two bands.
xdotool windowfocus --sync "$main"
xdotool key Tab Tab Tab Tab Tab space
prompt_open() { [ "$(xdotool search --onlyvisible --name '^Velmorin$' | wc -l)" -ge 2 ]; }
wait_until prompt_open || { echo "FAILED: no prompt opened"; kill "$pid"; exit 1; }

xdotool windowclose "$main"
if wait_until process_gone "$pid"; then
  wait "$pid" || true; echo "OK: the program ended"; exit 0
fi
kill "$pid"
echo "FAILED: the program runs on after its main window was destroyed"
exit 1
