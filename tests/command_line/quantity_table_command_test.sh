#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --table-pdf and --xlsx through the real program, of a survey whose file
# carries 工程信息 and of a cut-and-fill survey: the table's text read back
# from the PDF with its heading, page number, 合计 and signature line; the
# workbook opened by LibreOffice (when installed) with the same figures.
# --road-table of the cut-and-fill survey the same, as the output's name
# ends; another ending and a closed outline refused; --earthworks alike.
# Usage: quantity_table_command_test.sh VELMORIN   (needs pdftotext and pdfinfo)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"
text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}

printf '工程名称,某某公路改建工程\n路段,K1+000～K1+020\n计算,张三\n复核,李四\n日期,2026-12-08\n桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n1020,100,2\n1020,102,0\n1020,100,-2\n' \
  >"$work/two.csv"

"$program" --table-pdf "$work/table.pdf" "$work/two.csv"; status=$?
check "--table-pdf status" 0 "$status"
table=$(text "$work/table.pdf")
check "--table-pdf heading" "yes" \
  "$(grep -q '^工程名称：某某公路改建工程 路段：K1+000～K1+020$' <<<"$table" && echo yes)"
for line in "K1+000.000 2.000 20.000 60.000 0.000" "K1+020.000 4.000 60.000" \
            "小计 20.000 60.000" "合计 20.000 60.000" "第 1 页 共 1 页"; do
  check "--table-pdf has \"$line\"" "yes" "$(grep -qxF -- "$line" <<<"$table" && echo yes)"
done
check "--table-pdf signature line" "yes" \
  "$(grep -q '计算：张三.*复核：李四.*日期：2026-12-08' <<<"$table" && echo yes)"
check "--table-pdf upright A4" "yes" \
  "$(pdfinfo "$work/table.pdf" | grep -q '^Page size: *595 x 842 pts (A4)' && echo yes)"

"$program" --pdf "$work/sheet.pdf" "$work/two.csv"; status=$?
check "--pdf with 工程信息 status" 0 "$status"
sheet=$(text "$work/sheet.pdf")
check "--pdf heading first" "工程名称：某某公路改建工程" "$(head -1 <<<"$sheet")"
check "--pdf page number" "yes" "$(grep -qxF '第 1 页 共 1 页' <<<"$sheet" && echo yes)"

"$program" --table-pdf - "$work/two.csv" >"$work/out.pdf"; status=$?
check "--table-pdf - status" 0 "$status"
check "--table-pdf - same text" "$table" "$(text "$work/out.pdf")"

# Cut and fill, across the page; without 工程信息 no heading nor signatures,
# only the page number.
printf '桩号,线,高程H,距离S\n0,地面线,10,-10\n0,地面线,12,10\n0,设计线,11,-10\n0,设计线,11,10\n20,地面线,10,-10\n20,地面线,10,10\n20,设计线,11,-10\n20,设计线,11,10\n' \
  >"$work/cutfill.csv"
"$program" --table-pdf "$work/cf.pdf" "$work/cutfill.csv"; status=$?
check "cut-and-fill --table-pdf status" 0 "$status"
cf=$(text "$work/cf.pdf")
check "cut-and-fill total" "yes" "$(grep -qxF '合计 20.000 50.000 250.000' <<<"$cf" && echo yes)"
check "cut-and-fill no heading" "" "$(grep -E '工程名称|路段|计算：' <<<"$cf")"
check "cut-and-fill page number" "第 1 页 共 1 页" "$(tail -1 <<<"$cf")"
check "cut-and-fill across A4" "yes" \
  "$(pdfinfo "$work/cf.pdf" | grep -q '^Page size: *842 x 595 pts (A4)' && echo yes)"

"$program" --xlsx "$work/two.xlsx" "$work/two.csv"; status=$?
check "--xlsx status" 0 "$status"
check "--xlsx is a zip" "PK" "$(head -c 2 "$work/two.xlsx")"
"$program" --xlsx - "$work/cutfill.csv" >"$work/cf.xlsx"; status=$?
check "--xlsx - status" 0 "$status"
"$program" --xlsx "$work/two.csv" "$work/two.csv" 2>/dev/null; status=$?
check "--xlsx over its input refused" 1 "$status"
"$program" --xlsx 2>"$work/err"; status=$?
check "--xlsx without a file name" 2 "$status"

"$program" --road-table "$work/road.pdf" "$work/cutfill.csv"; status=$?
check "--road-table .pdf status" 0 "$status"
road=$(text "$work/road.pdf")
check "--road-table title" "路基设计表" "$(head -1 <<<"$road")"
check "--road-table heads" "yes" \
  "$(grep -q '^桩号 地面高程 设计高程 填高 挖深 左路基宽度 右路基宽度 左坡脚/坡口 右坡脚/坡口 左边坡 右边坡$' <<<"$road" && echo yes)"
for line in "K0+000.000 11.000" "K0+020.000 10.000" "第 1 页 共 1 页"; do
  check "--road-table has \"$line\"" "yes" "$(grep -qxF -- "$line" <<<"$road" && echo yes)"
done
check "--road-table no sums" "" "$(grep -E '小计|合计' <<<"$road")"
check "--road-table across A4" "yes" \
  "$(pdfinfo "$work/road.pdf" | grep -q '^Page size: *842 x 595 pts (A4)' && echo yes)"
"$program" --road-table "$work/road.XLSX" "$work/cutfill.csv"; status=$?
check "--road-table .xlsx status" 0 "$status"
check "--road-table .xlsx is a zip" "PK" "$(head -c 2 "$work/road.XLSX")"
"$program" --road-table "$work/road.csv" "$work/cutfill.csv" 2>"$work/err"; status=$?
check "--road-table of another ending" 2 "$status"
check "--road-table names itself and the endings" "yes" \
  "$(grep -q -- '--road-table 的输出文件.*road.csv.*\.pdf.*\.xlsx' "$work/err" && echo yes)"
check "--road-table of another ending writes nothing" "no" "$([ -e "$work/road.csv" ] && echo yes || echo no)"
"$program" --road-table "$work/closed.pdf" "$work/two.csv" 2>"$work/err"; status=$?
check "--road-table of a closed outline" 1 "$status"
check "--road-table of a closed outline says why" "yes" \
  "$(grep -q '封闭断面，没有路基设计表' "$work/err" && echo yes)"

# The 路基土石方数量计算表 the same way; without 土石分类 all cut counts as Ⅱ.
"$program" --earthworks "$work/earthworks.pdf" "$work/cutfill.csv"; status=$?
check "--earthworks .pdf status" 0 "$status"
earthworks=$(text "$work/earthworks.pdf")
check "--earthworks title" "yes" "$(grep -qxF '路基土石方数量计算表' <<<"$earthworks" && echo yes)"
# 50 m³ of Ⅱ fills 50 / 1.16 of the 250 m³: 206.897 still missing.
check "--earthworks uses the cut where it is dug" "yes" \
  "$(grep -q '^K0+020.000 0.000 20.000 20.000 50.000 0.000 0.000 100.000 50.000 .* 250.000 0.000 50.000 .* 206.897 ' <<<"$earthworks" && echo yes)"
check "--earthworks total" "yes" "$(grep -q '^合计 20.000 50.000 ' <<<"$earthworks" && echo yes)"
check_table_endings --earthworks 路基土石方数量计算表 "$work/cutfill.csv" "$work/two.csv"
"$program" --earthworks "$work/e.pdf" --road-table "$work/r.pdf" "$work/cutfill.csv" 2>/dev/null
check "--earthworks with another output" 2 "$?"

# With the design's 土石分类 (30 % Ⅱ, 70 % Ⅳ) the 50 m³ of cut is all used:
# 250 - 15 / 1.16 - 35 / 0.92 = 199.025 still missing; a 构造物 over the
# second half halves the volumes and is named.
printf '[土石分类]\n起点桩号,终点桩号,I,II,III,IV,V,VI\nK0+000,K0+020,0,30,0,70,0,0\n[构造物]\n起点桩号,终点桩号,名称\nK0+010,K0+020,涵洞\n' \
  >"$work/classes.csv"
"$program" --design "$work/classes.csv" --earthworks "$work/classes.pdf" "$work/cutfill.csv" \
  2>"$work/err"; status=$?
check "--earthworks with a design status" 0 "$status"
classes=$(text "$work/classes.pdf")
check "--earthworks splits the cut by class" "yes" \
  "$(grep -q '^K0+020.000 0.000 20.000 10.000 25.000 0.000 0.000 30.000 7.500 0.000 0.000 70.000 17.500 .* 125.000 0.000 7.500 0.000 17.500 .* 99.513 ' <<<"$classes" && echo yes)"
check "--earthworks names the structure" "yes" "$(grep -qx '涵洞' <<<"$classes" && echo yes)"
check "the structure is told as a warning" "yes" \
  "$(grep -q 'K0+000.000断面.*与后一个断面之间有构造物涵洞' "$work/err" && echo yes)"

if command -v soffice >/dev/null; then
  # UTF-8, cells as shown (0.000).
  HOME=$work/office soffice --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false' --outdir "$work/csv" "$work/two.xlsx" \
    "$work/cf.xlsx" "$work/road.XLSX" "$work/earthworks.xlsx" >/dev/null 2>&1
  check "LibreOffice reads the closed table" "yes" \
    "$(grep -qx '合计,,20.000,60.000,' "$work/csv/two.csv" && echo yes)"
  check "LibreOffice reads the cut-and-fill table" "yes" \
    "$(grep -qx '合计,,,20.000,50.000,250.000,,' "$work/csv/cf.csv" && echo yes)"
  check "LibreOffice reads the road table" "yes" \
    "$(grep -qx 'K0+000.000,11.000,,,,,,,,,' "$work/csv/road.csv" && echo yes)"
  check "LibreOffice reads the earthworks table's total" "yes" \
    "$(grep -q '^合计,,,20.000,50.000,,0.000,,50.000,' "$work/csv/earthworks.csv" && echo yes)"
fi
exit $failed
