#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --method through the real program: areas 10 and 40, 20 m apart, give
# 500.000 m³ by average end areas and 466.667 m³ as a prismoid in every
# output; the file's own method holds without --method and gives way to it;
# a prismoid's sheet and results say so, the default's do not; an unknown
# method or one without an output is a usage fault.
# Usage: volume_method_command_test.sh VELMORIN   (needs pdftotext and unzip)
set -uo pipefail
program=$1
. "$(dirname "$0")/checks.sh"
text() {  # text PDF: its lines, blanks collapsed
  pdftotext -layout "$1" - | tr -d '\f' | sed -E 's/ +/ /g; s/^ //; s/ $//' | grep -v '^$'
}
last() {  # last CSV: the last running total of standard input
  tail -1 | tr -d '\r' | awk -F, '{print $NF}'
}

rectangles='断面,高程H,距离S,间距DL\n1,0,0,20\n1,0,10,\n1,1,10,\n1,1,0,\n2,0,0,\n2,0,10,\n2,4,10,\n2,4,0,\n'
printf "$rectangles" >"$work/plain.csv"
printf "体积计算方法,棱台法\n$rectangles" >"$work/prism.csv"

for row in "plain.csv||500.000" "plain.csv|average|500.000" "plain.csv|prismoidal|466.667" \
           "prism.csv||466.667" "prism.csv|average|500.000" "prism.csv|棱台法|466.667"; do
  IFS='|' read -r file method total <<<"$row"
  args=(); [ -n "$method" ] && args=(--method "$method")
  results=$("$program" "${args[@]}" --results "$work/$file" 2>"$work/err"); status=$?
  check "$row: --results status" 0 "$status"
  check "$row: --results total" "$total" "$(last <<<"$results")"
  heads=$(head -1 <<<"$results" | grep -o '(立方米[^)]*)' | sort -u | tr '\n' ' ')
  expected='(立方米) '; [ "$total" = 466.667 ] && expected='(立方米，棱台法) '
  check "$row: --results heads" "$expected" "$heads"
done

"$program" --method prismoidal --pdf "$work/prism.pdf" "$work/plain.csv"; status=$?
check "--method --pdf status" 0 "$status"
sheet=$(text "$work/prism.pdf")
check "the prismoid's sheet total" "yes" "$(grep -q '总体积 : \[ D \]=466.667' <<<"$sheet" && echo yes)"
check "the prismoid's sheet says so" "体积按棱台法计算" "$(tail -1 <<<"$sheet")"
"$program" --pdf "$work/plain.pdf" "$work/plain.csv"
check "the default's sheet says nothing of it" "" "$(text "$work/plain.pdf" | grep 棱台法)"

"$program" --method prismoidal --table-pdf "$work/table.pdf" "$work/plain.csv"; status=$?
check "--method --table-pdf status" 0 "$status"
table=$(text "$work/table.pdf")
check "the prismoid's table total" "yes" "$(grep -qxF '合计 20.000 466.667' <<<"$table" && echo yes)"
check "the prismoid's table says so" "yes" "$(grep -qxF '体积按棱台法计算' <<<"$table" && echo yes)"
"$program" --method prismoidal --xlsx "$work/table.xlsx" "$work/plain.csv"; status=$?
check "--method --xlsx status" 0 "$status"
check "the prismoid's workbook total" "yes" \
  "$(unzip -p "$work/table.xlsx" 'xl/worksheets/*.xml' | grep -q '466\.66' && echo yes)"
"$program" --method prismoidal --landxml "$work/out.xml" "$work/plain.csv"; status=$?
check "--method --landxml states the method" "0 yes" \
  "$status $(grep -q 'calcMethod="Prismoidal"' "$work/out.xml" && echo yes)"

"$program" --method cone --results "$work/plain.csv" >/dev/null 2>"$work/err"; status=$?
check "an unknown method's status" 2 "$status"
check "an unknown method is named" "yes" "$(grep -q '“cone”不认识' "$work/err" && echo yes)"
"$program" --method prismoidal "$work/plain.csv" 2>/dev/null; status=$?
check "--method without an output" 2 "$status"

exit $failed
