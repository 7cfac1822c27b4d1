#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --haul through the real program: a cut-and-fill survey whose first pair is
# in cut and whose last two need fill gives the 土方调配表 a hand calculation
# gives, as a PDF and as a workbook by the output's name; another ending and
# a closed outline are refused.
#
# Sections 20 m wide at K0+000 and K0+020 1 m in cut, at K0+040 and K0+060
# 1 m in fill: pairs of 400 m³ cut, 200 m³ cut with 200 m³ fill, 400 m³
# fill. As Ⅱ 普通土 (K = 1.16) the first pair's 挖余 fills 400 / 1.16 =
# 344.828 m³; the second is 27.586 m³ short (20 m away), the third takes
# the rest, 317.241 m³, 40 m away: 13,241.379 m³·m, on average 38.400 m,
# 6,344.828 m³·m beyond the 20 m free haul; 82.759 m³ are borrowed.
# A road design's [运距] sets the free and the economic haul.
# Usage: haul_command_test.sh VELMORIN   (needs pdftotext)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"
text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}

{
  echo '桩号,线,高程H,距离S'
  for section in 0:12 20:12 40:10 60:10; do
    station=${section%%:*} ground=${section##*:}
    echo "$station,地面线,$ground,-10"; echo "$station,地面线,$ground,10"
    echo "$station,设计线,11,-10"; echo "$station,设计线,11,10"
  done
} >"$work/cutfill.csv"

"$program" --haul "$work/haul.pdf" "$work/cutfill.csv"; status=$?
check "--haul .pdf status" 0 "$status"
haul=$(text "$work/haul.pdf")
check "--haul title" "土方调配表" "$(head -1 <<<"$haul")"
for line in "免费运距 20 m" \
            "1 K0+000.000～K0+020.000 K0+020.000～K0+060.000 344.828 38.400 13241.379 6344.828" \
            "借方 K0+040.000～K0+060.000 82.759" \
            "合计 344.828 13241.379 6344.828 0.000 82.759"; do
  check "--haul has \"$line\"" "yes" "$(grep -qxF -- "$line" <<<"$haul" && echo yes)"
done
# The design's [运距]: 10 m free, none further than 30 m. The 27.586 m³ 20 m
# on are hauled (275.862 m³·m beyond 10 m); the rest of the surplus is
# wasted where it is dug, the third pair's fill borrowed.
printf '[运距]\n免费运距,经济运距\n10,30\n' >"$work/haul.csv"
"$program" --design "$work/haul.csv" --haul "$work/near.pdf" "$work/cutfill.csv"; status=$?
check "--haul with a design's 运距 status" 0 "$status"
near=$(text "$work/near.pdf")
for line in "免费运距 10 m，经济运距 30 m" \
            "1 K0+000.000～K0+020.000 K0+020.000～K0+040.000 27.586 20.000 551.724 275.862" \
            "弃方 K0+000.000～K0+020.000 317.241" "借方 K0+040.000～K0+060.000 400.000"; do
  check "--haul within 30 m has \"$line\"" "yes" "$(grep -qxF -- "$line" <<<"$near" && echo yes)"
done

printf '桩号,高程H,距离S\n0,100,2\n0,101,0\n0,100,-2\n20,100,2\n20,102,0\n20,100,-2\n' >"$work/closed.csv"
check_table_endings --haul 土方调配表 "$work/cutfill.csv" "$work/closed.csv"

if command -v soffice >/dev/null; then
  HOME=$work/office soffice --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false' \
    --outdir "$work/csv" "$work/haul.xlsx" >/dev/null 2>&1
  check "LibreOffice reads the 土方调配表's total" "yes" \
    "$(grep -qx '合计,,,344.828,,13241.379,6344.828,0.000,82.759' "$work/csv/haul.csv" && echo yes)"
fi
exit $failed
