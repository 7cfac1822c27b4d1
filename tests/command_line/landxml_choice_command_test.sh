#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real-shaped files (tests/data/real) through the real program: every
# one opens; --alignment, --ground and --design-surface on the LandXML ones,
# the guess said on standard error when the file offered more than one; a
# name the file lacks is a usage fault naming the option, the value and the
# names there; materials and gaps are told; the sheet of a file in feet says
# it was converted.
# Usage: landxml_choice_command_test.sh VELMORIN DATA   (DATA: tests/data/real)
set -uo pipefail
program=$1
data=$2
. "$(dirname "$0")/checks.sh"

"$program" --results "$data/railway-codes.xml" >"$work/out" 2>"$work/err"; status=$?
check "railway codes: status" 0 "$status"
check "railway codes: the guess said" \
  "velmorin: 提醒：文件“$data/railway-codes.xml”中有 3 个可选的横断面表面，取了地面线“10”、设计线“50”；另选请用 --ground 名称 和 --design-surface 名称。" \
  "$(cat "$work/err")"

"$program" --results --ground 10 --design-surface 30 "$data/railway-codes.xml" \
  >"$work/out" 2>"$work/err"; status=$?
check "both given: status" 0 "$status"
check "both given: nothing to say" "" "$(cat "$work/err")"

"$program" --results --ground 20 "$data/railway-codes.xml" >"$work/out" 2>"$work/err"
status=$?
check "unknown ground: usage fault" 2 "$status"
check "unknown ground: names option, value and the names there" \
  "velmorin: --ground 的值“20”不在文件“$data/railway-codes.xml”中：文件中的横断面表面有“10”“30”“50”，请写其中之一（velmorin --help 列出用法）。" \
  "$(cat "$work/err")"

"$program" --results "$data/two-alignments.xml" >"$work/out" 2>"$work/err"; status=$?
check "two alignments: status" 0 "$status"
check "two alignments: the first taken and said" "yes" \
  "$(grep -q "有 2 条带横断面的路线（“主线”“匝道A”），取了第一条“主线”" "$work/err" && echo yes)"
"$program" --results --alignment 匝道A "$data/two-alignments.xml" >"$work/out" 2>"$work/err"
check "the ramp: three sections" 3 "$(tail -n +2 "$work/out" | grep -c .)"
"$program" --results --alignment 匝道B "$data/two-alignments.xml" >"$work/out" 2>"$work/err"
status=$?
check "unknown alignment: usage fault" 2 "$status"
check "unknown alignment: the names there" "yes" \
  "$(grep -q -- "--alignment 的值“匝道B”.*带横断面的路线有“主线”“匝道A”" "$work/err" && echo yes)"

"$program" --results "$data/civil3d-materials.xml" >"$work/out" 2>"$work/err"; status=$?
check "materials: status" 0 "$status"
check "materials: one line per section" "velmorin: 材料：K0+000.000 Base 2.125 平方米，Subbase 3.325 平方米
velmorin: 材料：K0+020.000 Base 2.500 平方米" "$(grep 材料 "$work/err")"

# The sheet of a file read in feet says so under its title, of either kind.
for row in "us-survey-foot.xml|方量计算|测量数据由美国测量英尺换算为米（1 英尺 = 1200/3937 米）" \
  "foot.xml|填挖方计算|测量数据由英尺换算为米（1 英尺 = 0.3048 米）" "civil3d-materials.xml|方量计算|"; do
  IFS='|' read -r file title note <<<"$row"
  "$program" --pdf "$work/sheet.pdf" "$data/$file" 2>/dev/null
  check "$file: the sheet's conversion" "$note" "$(pdftotext -layout "$work/sheet.pdf" - |
    grep -A1 "( $title )" | sed -n 2p | sed -E 's/ +/ /g; s/^ //' | grep 换算)"
done

"$program" --results "$data/ground-pieces.xml" >"$work/out" 2>"$work/err"; status=$?
check "pieces: status" 0 "$status"
check "pieces: one ground and one design, only the gap told" \
  "velmorin: 提醒：第 2 个断面（sta=10）的地面线断开：距离 S 从 3 到 -2 之间没有点（PntList2D 不相接），这一段不计面积，地面线在这里随另一条线画出。" \
  "$(cat "$work/err")"

printf '桩号,高程H,距离S\n0,1,0\n0,1,2\n0,0,2\n' >"$work/plain.csv"
"$program" --results --ground EG "$work/plain.csv" >"$work/out" 2>"$work/err"; status=$?
check "a CSV with --ground: usage fault" 2 "$status"
"$program" --ground EG "$data/railway-codes.xml" 2>"$work/err"; status=$?
check "--ground without an output: usage fault" 2 "$status"
# Every file of the corpus opens, its first section's station and areas
# those of tests/data/real/expected.xml to the printed digit; a file there
# without its row here fails.
listed=" README.md expected.xml expected_areas.py "
while read -r file row; do
  listed="$listed$file "
  "$program" --results "$data/$file" >"$work/out" 2>"$work/err"; status=$?
  check "$file: status" 0 "$status"
  first=$(sed -n 2p "$work/out")
  check "$file: the first section" "$row," "${first:0:${#row}+1}"
done <<'ROWS'
railway-codes.xml 1,K0+000.000,4.940,5.518
civil3d-links.xml 1,K0+100.000,2.400,6.190
civil3d-materials.xml 1,K0+000.000,2.000
two-alignments.xml 1,K0+000.000,0.000,12.000
ground-pieces.xml 1,K0+000.000,5.125,2.250
latin1-oepnv.xml 1,K0+000.000,17.969,0.000
windows1252-declared.xml 1,K2+400.000,0.000,17.970
gbk-declared.xml 1,K1+000.000,33.254,0.000
big5-declared.xml 1,K0+000.000,0.321,6.271
utf16-le-bom.xml 1,K0+500.000,22.000,0.000
us-survey-foot.xml 1,K0+304.801,1.672
foot.xml 1,K0+304.800,16.277,0.000
zk-left-carriageway.hdm 1,ZK0+000.000,2.500,2.500
bare-stations.hdm 1,0+000.000,1.856,3.169
zk-yk-carriageways.csv 1,ZK12+300.000,0.000,10.874
ROWS
for file in "$data"/*; do
  case $listed in *" ${file##*/} "*) ;; *) check "a row for ${file##*/}" yes no ;; esac
done
exit $failed
