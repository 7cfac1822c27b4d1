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
# check_table_endings OPTION TABLE CUTFILL CLOSED: a cut-and-fill table's
# option writes a workbook by its name's ending, refuses another ending
# (status 2, naming itself, the file and the table) and a closed outline
# (status 1, saying why, writing nothing).
check_table_endings() {
  local option=$1 table=$2 cutfill=$3 closed=$4 status
  local workbook=$work/${option#--}.xlsx  # haul.xlsx, for LibreOffice to read later
  "$program" "$option" "$workbook" "$cutfill"; status=$?
  check "$option .xlsx status" 0 "$status"
  check "$option .xlsx is a zip" "PK" "$(head -c 2 "$workbook")"
  "$program" "$option" "$work/out.txt" "$cutfill" 2>"$work/err"; status=$?
  check "$option of another ending" 2 "$status"
  check "$option names itself, the file and the table" "yes" \
    "$(grep -q -- "$option 的输出文件.*out.txt.*$table" "$work/err" && echo yes)"
  "$program" "$option" "$work/closed.pdf" "$closed" 2>"$work/err"; status=$?
  check "$option of a closed outline" 1 "$status"
  check "$option of a closed outline says why" "yes" \
    "$(grep -q "封闭断面，没有$table" "$work/err" && echo yes)"
  check "$option of a closed outline writes nothing" "no" \
    "$([ -e "$work/closed.pdf" ] && echo yes || echo no)"
}
