#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --design through the real program: a ground-only 里程文件 and a road
# design file give the cut and fill a hand calculation gives, the 断链 move
# the spacing and are listed on the sheet; a design with a fault exits 1
# naming the table, line and column; --design without an output is a usage
# fault.
# Usage: road_design_command_test.sh VELMORIN   (needs pdftotext)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"

# Flat ground at 98, 30 m either side, at K0+000 and K0+020.
printf 'BEGIN,0.000:1\r\n-30.000,98.000\r\n30.000,98.000\r\nBEGIN,20.000:2\r\n-30.000,98.000\r\n30.000,98.000\r\n' \
  >"$work/ground.hdm"
# A level road at 100, 5 m each side without crossfall, fill slopes 1:1.5:
# catch points 5 + 1.5 x 2 = 8 m out, fill (10 + 16) / 2 x 2 = 26 m².
design='[纵断面]\n桩号,高程,竖曲线半径\nK0+000,100,\nK0+100,100,\n[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,5,0\nK0+000,右,5,0\n[边坡]\n侧,类型,坡率,高度,平台宽,平台横坡\n左,填,1.5,,,\n右,填,1.5,,,\n'
printf "$design" >"$work/road.csv"

results=$("$program" --design "$work/road.csv" --results "$work/ground.hdm" 2>"$work/err"); status=$?
check "--design --results status" 0 "$status"
check "--design --results first section" "1,K0+000.000,0.000,26.000,20.000,0.000,520.000,0.000,0.000" \
  "$(sed -n 2p <<<"$results" | tr -d '\r')"
check "--design --results no warnings" "" "$(cat "$work/err")"

# A 长链 of 10 m at K0+010: K0+020 lies 30 m on.
printf "${design}[断链]\n断前桩号,断后桩号\nK0+010,K0+000\n" >"$work/chain.csv"
results=$("$program" --design "$work/chain.csv" --results "$work/ground.hdm" 2>/dev/null)
check "--design across a 长链" "1,K0+000.000,0.000,26.000,30.000,0.000,780.000,0.000,0.000" \
  "$(sed -n 2p <<<"$results" | tr -d '\r')"
"$program" --design "$work/chain.csv" --pdf "$work/sheet.pdf" "$work/ground.hdm" 2>/dev/null
check "the sheet lists the 断链" "yes" \
  "$(pdftotext -layout "$work/sheet.pdf" - | grep -q 'K0+010.000=K0+000.000 *长链 10.000 米' && echo yes)"

printf '[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,宽,0\n' >"$work/bad.csv"
"$program" --design "$work/bad.csv" --results "$work/ground.hdm" >/dev/null 2>"$work/err"; status=$?
check "a faulty design's status" 1 "$status"
check "a faulty design names its table, line and column" "yes" \
  "$(grep -q '第 3 行第 3 列（\[路幅\] 的“宽度”）' "$work/err" && echo yes)"

"$program" --design "$work/road.csv" "$work/ground.hdm" 2>/dev/null; status=$?
check "--design without an output" 2 "$status"

exit $failed
