# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the command line's test scripts: a work folder of their own,
# removed at the end, no display and no user's folders, and
# check WHAT EXPECTED ACTUAL, which marks the run failed on a difference.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
failed=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    failed=1
  fi
}
