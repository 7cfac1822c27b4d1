#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --sections and --drawings through the real program: the 横断面图 sheets of a
# road as a PDF whose title block and labels read back, on A3 or A4; as DXF
# by the name's ending, the same file --dxf writes; oversize sections told of
# and the file written all the same; a bad scale, paper or ending refused
# naming itself. --pdf with --drawings: the sheet's lines of text are those
# without (only spaced further apart), and only then does the page carry the
# drawings' colours; --drawings without --pdf is a usage fault.
# Usage: section_sheets_command_test.sh VELMORIN
#   (needs pdftotext, pdfinfo, pdftoppm and ImageMagick)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"

# Twelve sections of ground rising across the road, 20 m apart, and a level
# road at 100 with its slopes: cut on the right, fill on the left.
{
  printf '工程名称,某某公路改建工程\r\n路段,K0+000～K0+220\r\n桩号,线,高程H,距离S\r\n'
  for k in $(seq 0 11); do
    printf '%d,地面线,%s,-30\r\n%d,地面线,%s,0\r\n%d,地面线,103.5,30\r\n' \
      $((k * 20)) "$(echo "96 + $k * 0.1" | bc)" $((k * 20)) "$(echo "99.5 + $k * 0.05" | bc)" \
      $((k * 20))
  done
} >"$work/road.csv"
printf '[纵断面]\n桩号,高程,竖曲线半径\nK0+000,100,\nK0+300,100,\n[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,5,2\nK0+000,右,5,2\n[边坡]\n侧,类型,坡率,高度,平台宽,平台横坡\n左,填,1.5,,,\n右,填,1.5,,,\n左,挖,1,,,\n右,挖,1,,,\n' \
  >"$work/design.csv"
sheets() { "$program" --design "$work/design.csv" "$@" "$work/road.csv"; }

# The defaults (A3 at 1:200), and A4 at 1:500: more than one sheet each, the
# first one's title block and labels.
for row in "|1191 x 842 pts (A3)|200" "--paper a4 --scale 1:500|842 x 595 pts (A4)|500"; do
  IFS='|' read -r options size scale <<<"$row"
  pdf=$work/road-$scale.pdf
  # shellcheck disable=SC2086
  sheets --sections "$pdf" $options 2>"$work/err"; status=$?
  check "--sections .pdf $options: status, nothing to tell" "0 " "$status $(cat "$work/err")"
  check "--sections .pdf $options: page size" "$size" "$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')"
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  check "--sections .pdf $options: more than one sheet" yes "$([ "$pages" -gt 1 ] && echo yes)"
  text=$(pdftotext -layout -f 1 -l 1 "$pdf" - | tr -s ' ')
  for label in "工程名称" "某某公路改建工程" "第 1 张 共 $pages 张" "比例 1:$scale" "K0+000.000" "挖方面积"; do
    check "$options: the first sheet reads $label" yes "$(grep -qF "$label" <<<"$text" && echo yes)"
  done
done

# Sections 60 m and more across do not fit an A4 sheet at 1:100.
sheets --sections "$work/large.pdf" --paper A4 --scale 1:100 2>"$work/err"; status=$?
check "oversize sections status" 0 "$status"
check "oversize sections are written" yes "$([ -s "$work/large.pdf" ] && echo yes)"
check "oversize sections are named with a smaller scale" yes \
  "$(grep -q '^velmorin: 提醒：这些断面在 1:100 的 A4 图纸上放不下：K0+000.000、.*1:200' \
    "$work/err" && echo yes)"

sheets --sections "$work/road.dxf" --scale 1:500; status=$?
check "--sections .dxf status" 0 "$status"
check "--sections .dxf is DXF" "SECTION" "$(sed -n 2p "$work/road.dxf" | tr -d ' \r')"
sheets --dxf - --scale 1:500 >"$work/out.dxf"
check "--dxf - is the file --sections .dxf writes" "" "$(cmp "$work/out.dxf" "$work/road.dxf")"

text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}
saturation() {  # saturation PDF: the most coloured pixel of its first page, 0 to 1
  pdftoppm -r 40 -f 1 -l 1 -png -singlefile "$1" "$work/page"
  /usr/bin/convert "$work/page.png" -colorspace HSL -channel G -separate +channel \
    -format '%[fx:maxima]' info:
}
# Two closed outlines: a sheet of one page with or without the drawings.
printf '断面,高程H,距离S,间距DL\n1,0,0,20\n1,0,10,\n1,1,10,\n1,1,0,\n2,0,0,\n2,0,10,\n2,4,10,\n2,4,0,\n' \
  >"$work/survey.csv"
"$program" --pdf "$work/plain.pdf" "$work/survey.csv"; status=$?
check "--pdf status" 0 "$status"
"$program" --drawings --pdf "$work/drawn.pdf" "$work/survey.csv"; status=$?
check "--drawings --pdf status" 0 "$status"
check "the same text" "$(text "$work/plain.pdf")" "$(text "$work/drawn.pdf")"
check "no colour without drawings" "yes" "$(awk '{print ($1 < 0.1) ? "yes" : "no"}' <<<"$(saturation "$work/plain.pdf")")"
check "colour with drawings" "yes" "$(awk '{print ($1 > 0.5) ? "yes" : "no"}' <<<"$(saturation "$work/drawn.pdf")")"

# Refused, naming the option and the value, with a way on.
road=$work/road.csv
for refused in "--sections $work/x.txt $road|--sections 的输出文件“$work/x.txt”既不是 .pdf 也不是 .dxf" \
               "--sections - $road|--sections 写到标准输出（“-”）时看不出要 PDF 还是 DXF：DXF 请用 --dxf -" \
               "--sections $work/x.pdf --scale 1:0 $road|--scale 的值“1:0”不是比例：请写成 1:200 这样" \
               "$road --sections $work/x.pdf --scale|--scale 后面缺少比例" \
               "--sections $work/x.pdf --paper B5 $road|--paper 的值“B5”不认识：请写 A3 或 A4" \
               "--pdf $work/x.pdf --scale 1:200 $road|--scale 和 --paper 给横断面图用" \
               "--drawings --results $road|--drawings 只给计算书用"; do
  # shellcheck disable=SC2086
  "$program" ${refused%%|*} 2>"$work/err" >/dev/null; status=$?
  check "refused: ${refused%%|*}" "2 yes" \
    "$status $(grep -qF -- "${refused#*|}" "$work/err" && echo yes)"
done
check "nothing written when refused" no "$([ -e "$work/x.pdf" ] && echo yes || echo no)"
"$program" --help | grep -q -- '--sections <OUT.pdf|OUT.dxf>'; check "--help --sections" 0 "$?"

exit $failed
