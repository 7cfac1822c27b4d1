#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line without any display: results as CSV, the sheet as a PDF
# whose text reads back exactly, the warnings of a survey that looks wrong on
# standard error, and the exit status of each kind of call.
# Usage: command_line_test.sh VELMORIN   (needs pdftotext, pdffonts and xmllint)
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work
failed=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    failed=1
  fi
}

printf '桩号,高程H,距离S\nK1+000.000,100,2\nK1+000.000,101,0\nK1+000.000,100,-2\n1020,100,2\n1020,102,0\n1020,100,-2\n' \
  >"$work/two.csv"

results=$("$program" --results "$work/two.csv"); status=$?
check "--results status" 0 "$status"
check "--results" "断面,桩号,面积(平方米),至下一断面间距(米),至下一断面体积(立方米),累计体积(立方米)
1,K1+000.000,2.000,20.000,60.000,0.000
2,K1+020.000,4.000,,,60.000" "$results"

"$program" --pdf "$work/two.pdf" "$work/two.csv"; status=$?
check "--pdf status" 0 "$status"
sheet=$(pdftotext -layout "$work/two.pdf" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' |
  grep -v '^$')
check "--pdf text" "( 方量计算 )
观测点高程/距离 h(米)/观测点至断面端点距离 d(米):
( K1+000.000断面 ) :
100.000/2.000 101.000/0.000 100.000/-2.000
( K1+020.000断面 ) :
100.000/2.000 102.000/0.000 100.000/-2.000
断面间距(米) :
DL=20.000
断面面积 (平方米) :
K1+000.000断面面积 : S( 1 )=2.000
K1+020.000断面面积 : S( 2 )=4.000
计算后的体积 (立方米) :
第1段体积 : D( 1 )=60.000
总体积 : [ D ]=60.000 (立方米)" "$sheet"
check "--pdf fonts embedded" "" "$(pdffonts "$work/two.pdf" | tail -n +3 | awk '$(NF-4) != "yes"')"
check "--pdf page size (A4)" "yes" \
  "$(pdfinfo "$work/two.pdf" | grep -q '^Page size:.*(A4)' && echo yes)"

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

"$program" --results "$work/two.csv" >/dev/null 2>"$work/err"
check "a plain survey: nothing on standard error" "" "$(cat "$work/err")"

printf '桩号,高程H,距离S\n1000,1O.5,0\n' >"$work/bad.csv"
message=$("$program" --results "$work/bad.csv" 2>&1 >/dev/null); status=$?
check "bad file status" 1 "$status"
check "bad file message" "velmorin: 测量数据文件“$work/bad.csv”有误，没有打开：第 2 行第 2 列“1O.5”不是有效的高程。" "$message"
"$program" --pdf "$work/bad.pdf" "$work/bad.csv" 2>/dev/null; status=$?
check "bad file --pdf status" 1 "$status"
check "no PDF of a bad file" "" "$(ls "$work" | grep -c 'bad.pdf' | grep -v '^0$')"

# LandXML: written, accepted by xmllint, read back to the same results; to
# standard output the same file; the survey itself never overwritten.
"$program" --landxml "$work/two.xml" "$work/two.csv"; status=$?
check "--landxml status" 0 "$status"
check "--landxml well-formed" "" "$(xmllint --noout "$work/two.xml" 2>&1)"
check "--results of the LandXML" "$results" "$("$program" --results "$work/two.xml")"
check "--landxml - is the same file" "$(grep -v ' time=' "$work/two.xml")" \
  "$("$program" --landxml - "$work/two.csv" | grep -v ' time=')"
cp "$work/two.xml" "$work/kept.xml"
"$program" --landxml "$work/two.xml" "$work/two.xml" 2>"$work/err"; status=$?
check "--landxml over its input status" 1 "$status"
check "--landxml over its input untouched" "" "$(cmp "$work/two.xml" "$work/kept.xml")"
# The 工程信息 of a survey file goes into the LandXML and comes back from it
# onto the sheet's heading and last lines.
{ printf '工程名称,测试公路\r\n复核,李四\r\n'; cat "$work/two.csv"; } >"$work/project.csv"
"$program" --landxml "$work/project.xml" "$work/project.csv"
check "--landxml carries the project" 1 "$(grep -c '<Project name="测试公路">' "$work/project.xml")"
"$program" --pdf "$work/project.pdf" "$work/project.xml"
check "the project read back from LandXML" "测试公路 复核：李四" \
  "$(pdftotext "$work/project.pdf" - | grep -o '测试公路\|复核：李四' | tr '\n' ' ' | sed 's/ $//')"
printf '<LandXML>\n<Alignments><Alignment name="a" length="0" staStart="0"><CrossSects>\n<CrossSect sta="x"/>\n</CrossSects></Alignment></Alignments></LandXML>\n' >"$work/bad.xml"
check "a faulty LandXML named by its line" \
  "velmorin: 测量数据文件“$work/bad.xml”有误，没有打开：第 3 行：CrossSect 的属性 sta“x”不是有效的数。" \
  "$("$program" --results "$work/bad.xml" 2>&1 >/dev/null)"

# What would not read back is refused with the reason, nothing written: a
# running station beyond the range of a value, a 工程信息 value longer than a
# workbook cell holds; never the library's own lines.
printf '断面,高程H,距离S,间距DL\n1,100,0,3e38\n2,100,0,3e38\n3,100,0,\n' >"$work/far.csv"
"$program" --landxml "$work/far.xml" "$work/far.csv" 2>"$work/err"; status=$?
check "--landxml of a running station out of range status" 1 "$status"
check "--landxml of a running station out of range message" \
  "velmorin: 没有写 LandXML：没有输入桩号时，LandXML 的桩号（sta）是断面间距的累计，到第 3 个断面累计为 6e+38，超出了数值范围（绝对值超过 3.4E+38），写出后读不回来：请改小间距，或保存为 CSV。" \
  "$(cat "$work/err")"
check "--landxml of a running station out of range writes nothing" no \
  "$([ -e "$work/far.xml" ] && echo yes || echo no)"
{ printf '工程名称,'; head -c 32768 /dev/zero | tr '\0' 'a'; printf '\r\n'; cat "$work/two.csv"; } \
  >"$work/long.csv"
"$program" --xlsx "$work/long.xlsx" "$work/long.csv" 2>"$work/err"; status=$?
check "--xlsx of a value longer than a cell status" 1 "$status"
check "--xlsx of a value longer than a cell message" \
  "velmorin: 没有写 Excel 工作簿：工程信息“工程名称”有 32768 个字符，Excel 工作簿的一格最多 32767 个字符：请把它改短，或导出 PDF。" \
  "$(cat "$work/err")"
check "--xlsx of a value longer than a cell writes nothing" no \
  "$([ -e "$work/long.xlsx" ] && echo yes || echo no)"
"$program" --xlsx - "$work/long.csv" >"$work/out" 2>"$work/err"; status=$?
check "--xlsx - of a value longer than a cell" "1 0" "$status $(wc -c <"$work/out")"

# DXF: the 横断面图 sheets, read by ezdxf: a block inserted per section with
# its outline and its areas; a folder that does not exist named.
"$program" --dxf "$work/two.dxf" "$work/two.csv"; status=$?
check "--dxf status" 0 "$status"
if /usr/bin/python3 -c 'import ezdxf' 2>/dev/null; then
  check "--dxf read by ezdxf" "AC1021 2 面积 2.000 m²|面积 4.000 m²" \
    "$(/usr/bin/python3 -c '
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
inserts = doc.modelspace().query("INSERT")
blocks = [doc.blocks[i.dxf.name] for i in inserts]
print(doc.dxfversion, sum(len(b.query("LWPOLYLINE[layer==\"断面线\"]")) for b in blocks),
      "|".join(t.dxf.text for b in blocks for t in b.query("TEXT") if "面积" in t.dxf.text))' \
      "$work/two.dxf")"
fi
check "--dxf - is the same file" "" "$("$program" --dxf - "$work/two.csv" | cmp - "$work/two.dxf")"
message=$("$program" --dxf "$work/no/such/folder/two.dxf" "$work/two.csv" 2>&1); status=$?
check "--dxf into a missing folder status" 1 "$status"
case $message in *"$work/no/such/folder/two.dxf"*) ;; *) check "--dxf failure names the file" "$work/no/such/folder/two.dxf" "$message" ;; esac

for usage in "--bogus" "--pdf" "--results" "--pdf x.pdf --results $work/two.csv" \
             "--landxml" "--dxf" "--dxf a.dxf --landxml b.xml $work/two.csv" "--dxf a.dxf" \
             "--results $work/two.csv $work/two.csv"; do
  # shellcheck disable=SC2086
  "$program" $usage >/dev/null 2>&1; status=$?
  check "usage: velmorin $usage" 2 "$status"
done
check "--version" "velmorin 1.0" "$("$program" --version)"
"$program" --help | grep -q -- '--results'; check "--help" 0 "$?"
"$program" --help | grep -q -- '--landxml <OUT.xml>'; check "--help --landxml" 0 "$?"
"$program" --help | grep -q -- '--dxf <OUT.dxf>'; check "--help --dxf" 0 "$?"

# Cut and fill: a 里程文件 (offsets negative to the left) and the same survey
# as our CSV with a 线 column give the same results and sheet.
printf 'BEGIN,1000:1\n-20,0\n20,0\nNEXT\n-15,0\n-5,5\n5,5\n15,0\n\nBEGIN,1020.5:2\n-2,1\n2,1\nNEXT\n-2,0\n0,0\n0,3\n2,3\n' \
  >"$work/cut.hdm"
printf '桩号,线,高程H,距离S\n1000,地面线,0,20\n1000,地面线,0,-20\n1000,设计线,0,15\n1000,设计线,5,5\n1000,设计线,5,-5\n1000,设计线,0,-15\nK1+020.5,地面线,1,-2\nK1+020.5,地面线,1,2\nK1+020.5,设计线,0,-2\nK1+020.5,设计线,0,0\nK1+020.5,设计线,3,0\nK1+020.5,设计线,3,2\n' \
  >"$work/cut.csv"
cut_results="断面,桩号,挖方面积(平方米),填方面积(平方米),至下一断面间距(米),挖方体积(立方米),填方体积(立方米),累计挖方(立方米),累计填方(立方米)
1,K1+000.000,0.000,100.000,20.500,20.500,1066.000,0.000,0.000
2,K1+020.500,2.000,4.000,,,,20.500,1066.000"
for file in cut.hdm cut.csv; do
  results=$("$program" --results "$work/$file" 2>"$work/err"); status=$?
  check "--results $file status" 0 "$status"
  check "--results $file" "$cut_results" "$results"
  check "--results $file warnings" "" "$(cat "$work/err")"
done
"$program" --pdf "$work/cut.pdf" "$work/cut.hdm"; status=$?
check "--pdf cut.hdm status" 0 "$status"
sheet=$(pdftotext -layout "$work/cut.pdf" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' |
  grep -v '^$')
check "--pdf cut.hdm text" "( 填挖方计算 )
地面线和设计线观测点 高程 h(米)/距离 S(米):
( K1+000.000断面 ) :
地面线 :
0.000/20.000 0.000/-20.000
设计线 :
0.000/15.000 5.000/5.000 5.000/-5.000 0.000/-15.000
挖方面积=0.000 填方面积=100.000 (平方米)
( K1+020.500断面 ) :
地面线 :
1.000/2.000 1.000/-2.000
设计线 :
0.000/2.000 0.000/0.000 3.000/0.000 3.000/-2.000
挖方面积=2.000 填方面积=4.000 (平方米)
断面间距(米) :
DL=20.500
挖方和填方体积 (立方米) :
第1段 : 挖方=20.500 填方=1066.000
总挖方 : 20.500 (立方米)
总填方 : 1066.000 (立方米)
净方量 (挖-填) : -1045.500 (立方米)" "$sheet"

# A design line going back in S, and a fault by line: refused, status 1.
printf 'BEGIN,0\n-2,0\n2,0\nNEXT\n-2,1\n1,1\n0,1\n' >"$work/back.hdm"
"$program" --results "$work/back.hdm" >"$work/out" 2>"$work/err"; status=$?
check "--results back.hdm status" 1 "$status"
check "--results back.hdm message" "velmorin: 测量数据文件“$work/back.hdm”算不出：K0+000.000断面（第 1 个断面）的设计线在第 3 点往回走了：距离 S 从 -1 回到 0。一条线上各点的距离应一直增大或一直减小（相等时为竖直的一段），请核对这一点。" "$(cat "$work/err")"
printf 'BEGIN,0\n-2,0\n2,x\n' >"$work/bad.hdm"
"$program" --results "$work/bad.hdm" >"$work/out" 2>"$work/err"; status=$?
check "--results bad.hdm status" 1 "$status"
check "--results bad.hdm message" "velmorin: 里程文件“$work/bad.hdm”有误，没有打开：第 3 行第 2 列“x”不是有效的高程。" "$(cat "$work/err")"

# A left carriageway's 里程文件 shaped as 南方-style software writes it: its
# ZK stations on every output; its areas are those of
# tests/data/real/expected.xml, its volumes worked out from them by hand. A
# fourth cell on a point line is still refused by line and column.
real="$(dirname "$0")/../data/real/zk-left-carriageway.hdm"
check "--results ZK" "断面,桩号,挖方面积(平方米),填方面积(平方米),至下一断面间距(米),挖方体积(立方米),填方体积(立方米),累计挖方(立方米),累计填方(立方米)
1,ZK0+000.000,2.500,2.500,20.000,225.000,25.000,0.000,0.000
2,ZK0+020.000,20.000,0.000,20.000,300.000,0.000,225.000,25.000
3,ZK0+040.000,10.000,0.000,,,,525.000,25.000" "$("$program" --results "$real" 2>&1)"
printf 'BEGIN,ZK0+000:1\n-2,0,DM,4\n' >"$work/four.hdm"
"$program" --results "$work/four.hdm" >"$work/out" 2>"$work/err"; status=$?
check "--results four.hdm status" 1 "$status"
check "--results four.hdm message" "velmorin: 里程文件“$work/four.hdm”有误，没有打开：第 2 行第 4 列“4”是多余的数据。" "$(cat "$work/err")"

# A LandXML file in US survey feet reads converted to metres, and says so.
feet="$(dirname "$0")/../data/real/us-survey-foot.xml"
"$program" --results "$feet" >"$work/out" 2>"$work/err"; status=$?
check "--results us-survey-foot.xml status" 0 "$status"
check "--results us-survey-foot.xml note" "velmorin: 文件以美国测量英尺为单位，已换算为米（1 英尺 = 1200/3937 米，1 立方码 = 27 立方英尺；长度取至 0.1 毫米，面积和体积取至小数点后 4 位）" "$(cat "$work/err")"
check "--results us-survey-foot.xml stations" "K0+304.801 K0+320.041 K0+335.281" \
  "$(tail -n +2 "$work/out" | cut -d, -f2 | tr '\n' ' ' | sed 's/ $//')"

[ "$failed" -eq 0 ] && echo OK
exit "$failed"
