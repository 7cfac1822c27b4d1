#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --pdf with --drawings through the real program: the sheet's lines of text
# are those without (only spaced further apart), and only with it does the page carry the drawings'
# colours; --drawings without --pdf is a usage fault.
# Usage: sheet_drawings_command_test.sh VELMORIN   (needs pdftotext, pdftoppm and ImageMagick)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"
text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}
saturation() {  # saturation PDF: the most coloured pixel of its first page, 0 to 1
  pdftoppm -r 40 -f 1 -l 1 -png -singlefile "$1" "$work/page"
  /usr/bin/convert "$work/page.png" -colorspace HSL -channel G -separate +channel \
    -format '%[fx:maxima]' info:
}

printf '断面,高程H,距离S,间距DL\n1,0,0,20\n1,0,10,\n1,1,10,\n1,1,0,\n2,0,0,\n2,0,10,\n2,4,10,\n2,4,0,\n' \
  >"$work/survey.csv"
"$program" --pdf "$work/plain.pdf" "$work/survey.csv"; status=$?
check "--pdf status" 0 "$status"
"$program" --drawings --pdf "$work/drawn.pdf" "$work/survey.csv"; status=$?
check "--drawings --pdf status" 0 "$status"
check "the same text" "$(text "$work/plain.pdf")" "$(text "$work/drawn.pdf")"
check "no colour without drawings" "yes" "$(awk '{print ($1 < 0.1) ? "yes" : "no"}' <<<"$(saturation "$work/plain.pdf")")"
check "colour with drawings" "yes" "$(awk '{print ($1 > 0.5) ? "yes" : "no"}' <<<"$(saturation "$work/drawn.pdf")")"

"$program" --drawings --results "$work/survey.csv" >/dev/null 2>"$work/err"; status=$?
check "--drawings without --pdf" 2 "$status"
check "--drawings without --pdf says so" "yes" "$(grep -q -- '--drawings 只给计算书用' "$work/err" && echo yes)"
exit $failed
