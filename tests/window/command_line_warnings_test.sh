#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A survey that calculates but looks wrong: --results and --pdf tell each
# warning once on standard error, write their output as without warnings
# and exit 0.
# Usage: command_line_warnings_test.sh VELMORIN   (needs pdftotext)
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
failed=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    failed=1
  fi
}

# Two identical sections, the second entered the other way round.
printf '桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n1020,100,-2\n1020,101,0\n1020,100,2\n' \
  >"$work/reversed.csv"
expected_warning="velmorin: 提醒：K1+020.000断面的面积为 -2.000 平方米，与K1+000.000断面的正负相反（正负两种断面一样多，以K1+000.000断面为准）：观测点可能是按相反的方向输入的，请核对这个断面的观测点顺序。"

"$program" --results "$work/reversed.csv" >"$work/out" 2>"$work/err"; status=$?
check "--results status" 0 "$status"
check "--results warnings" "$expected_warning" "$(cat "$work/err")"
check "--results output" "断面,桩号,面积(平方米),至下一断面间距(米),至下一断面体积(立方米),累计体积(立方米)
1,K1+000.000,2.000,20.000,0.000,0.000
2,K1+020.000,-2.000,,,0.000" "$(cat "$work/out")"

"$program" --pdf "$work/reversed.pdf" "$work/reversed.csv" >"$work/out" 2>"$work/err"; status=$?
check "--pdf status" 0 "$status"
check "--pdf warnings" "$expected_warning" "$(grep -v propagateSizeHints "$work/err")"
check "--pdf standard output" "" "$(cat "$work/out")"
check "--pdf total" "总体积 : [ D ]=0.000 (立方米)" \
  "$(pdftotext -layout "$work/reversed.pdf" - | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep '总体积')"

# Several at once, each once: a station going back, a crossing outline, too
# few points; nothing on standard error for a plain survey.
printf '桩号,高程H,距离S\n1020,100,2\n1020,101,0\n1020,100,-2\n1000,100,2\n1000,101,-2\n1000,101,2\n1000,100,-2\n1040,100,2\n1040,100,-2\n' \
  >"$work/several.csv"
"$program" --results "$work/several.csv" >/dev/null 2>"$work/err"; status=$?
check "several: status" 0 "$status"
check "several: one line each" "3" "$(wc -l <"$work/err")"
check "several: the sections named" "K1+000.000断面（第 2 个断面）的桩号小于前一个断面的桩号 K1+020.000
K1+000.000断面的轮廓线自相交叉
K1+040.000断面只有 2 个观测点" "$(sed -E 's/^velmorin: 提醒：//; s/(K1\+020\.000|交叉|观测点)[，（].*/\1/' "$work/err")"
printf '桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n' >"$work/plain.csv"
"$program" --results "$work/plain.csv" >/dev/null 2>"$work/err"
check "plain survey: nothing on standard error" "" "$(cat "$work/err")"

[ "$failed" -eq 0 ] && echo OK
exit "$failed"
