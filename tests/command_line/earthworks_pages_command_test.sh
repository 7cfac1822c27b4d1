#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The 路基土石方数量计算表 of a road of two and a half kilometres with a bridge,
# through the real program and read back from its PDF: the 本页小计 and the
# 本公里小计 add up to the 合计 (each printed figure within its rounding),
# the 合计 of cut and fill are the calculation sheet's and the quantity
# table's totals to the digit, and the total cut is what is used plus what
# is left over, the total fill what is used (compacted) plus what is missing.
# Usage: earthworks_pages_command_test.sh VELMORIN   (needs pdftotext)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"
text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}

# Rolling ground every 20 m, seventeen points a section.
awk 'BEGIN {
  print "桩号,线,高程H,距离S"
  for (i = 0; i <= 125; ++i) {
    x = 20 * i; c = 100 + 0.0045 * x + 6 * sin(x / 260) + 2 * sin(x / 90)
    for (s = -40; s <= 40; s += 5)
      printf "%d,地面线,%.3f,%d\n", x, c + 0.06 * s + 0.4 * sin(s / 7 + x / 50), s
  }
}' >"$work/ground.csv"
cat >"$work/design.csv" <<'DESIGN'
[纵断面]
桩号,高程,竖曲线半径
K0+000,101.000,
K1+200,108.000,8000
K2+500,110.000,
[路幅]
桩号,侧,宽度,横坡
K0+000,左,3.75,-2
K0+000,左,0.75,-3
K0+000,右,3.75,-2
K0+000,右,0.75,-3
[边坡]
侧,类型,坡率,高度,平台宽,平台横坡
左,填,1.5,,,
左,挖,0.75,,,
右,填,1.5,,,
右,挖,0.75,,,
[边沟]
侧,内坡率,沟深,沟底宽,外坡率
左,1,0.6,0.4,1
右,1,0.6,0.4,1
[土石分类]
起点桩号,终点桩号,Ⅰ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ
K0+000,K0+450,0,30,0,70,0,0
K0+450,K1+300,10,60,30,0,0,0
K1+300,K2+500,0,20,20,40,20,0
[构造物]
起点桩号,终点桩号,名称
K0+480,K0+520,小桥
DESIGN

"$program" --design "$work/design.csv" --earthworks "$work/ew.pdf" "$work/ground.csv" 2>/dev/null
check "--earthworks status" 0 "$?"
"$program" --design "$work/design.csv" --pdf "$work/sheet.pdf" "$work/ground.csv" 2>/dev/null
check "--pdf status" 0 "$?"
"$program" --design "$work/design.csv" --table-pdf "$work/table.pdf" "$work/ground.csv" 2>/dev/null
check "--table-pdf status" 0 "$?"
sheet=$(text "$work/ew.pdf")

# Each field of the rows KEY added up against the 合计's: "ok" when every sum
# is within half a thousandth per row of it.
adds_up() {
  awk -v key="$1" '$1 == key { ++n; for (f = 2; f <= NF; ++f) sum[f] += $f }
    $1 == "合计" { for (f = 2; f <= NF; ++f) total[f] = $f; fields = NF }
    END {
      bad = n < 2 || fields < 25
      for (f = 2; f <= fields; ++f) {
        d = sum[f] - total[f]; if (d < 0) d = -d
        if (d > n * 0.0005 + 1e-6) { bad = 1; print key " field " f ": " sum[f] " against " total[f] }
      }
      print bad ? "not ok (" n " rows)" : "ok"
    }' <<<"$sheet" | tail -1
}
check "several pages" "yes" "$([ "$(grep -c '^本页小计 ' <<<"$sheet")" -ge 4 ] && echo yes)"
check "three kilometres" 3 "$(grep -c '^本公里小计 ' <<<"$sheet")"
check "the bridge opens a block" "yes" "$(grep -q '小桥' <<<"$sheet" && echo yes)"
check "本页小计 add up to 合计" "ok" "$(adds_up 本页小计)"
check "本公里小计 add up to 合计" "ok" "$(adds_up 本公里小计)"

total=$(grep '^合计 ' <<<"$sheet")
cut=$(awk '{print $3}' <<<"$total") fill=$(awk '{print $10}' <<<"$total")
sheet_text=$(text "$work/sheet.pdf")
check "total cut as on the calculation sheet" "yes" \
  "$(grep -q "总挖方 : $cut (立方米)" <<<"$sheet_text" && echo yes)"
check "total fill as on the calculation sheet" "yes" \
  "$(grep -q "总填方 : $fill (立方米)" <<<"$sheet_text" && echo yes)"
check "totals as in the quantity table" "yes" \
  "$(text "$work/table.pdf" | grep -q "^合计 .* $cut $fill$" && echo yes)"
# 挖 = Σ 利用 + 挖余 (土小计 + 石小计); 填 = Σ 利用ⱼ/Kⱼ + 填缺 with the default factors.
check "cut used and left over" "ok" "$(awk '{
    d = $3 - ($11 + $12 + $13 + $14 + $15 + $16 + $21 + $25); if (d < 0) d = -d
    print d <= 0.004 ? "ok" : "off by " d }' <<<"$total")"
check "fill used and missing" "ok" "$(awk '{
    d = $10 - ($11 / 1.23 + $12 / 1.16 + $13 / 1.09 + ($14 + $15 + $16) / 0.92 + $17)
    if (d < 0) d = -d; print d <= 0.004 ? "ok" : "off by " d }' <<<"$total")"
exit $failed
