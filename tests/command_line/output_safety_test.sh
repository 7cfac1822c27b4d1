#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line never loses a file and never reports success on a failed
# write: no PDF over its own survey file (under any name), over a FIFO or a
# device; "-" is standard output; a symbolic link is written through with the
# permissions kept; a full disk (a small tmpfs, where mounting is allowed) and
# /dev/full end with status 1 and the reason, the earlier PDF whole.
# Usage: output_safety_test.sh VELMORIN   (needs pdfinfo)
set -uo pipefail
program=$1
work=$(mktemp -d)
full=$work/full
trap 'mountpoint -q "$full" && umount "$full"; rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
failed=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    failed=1
  fi
}
run() {  # run ARGS...: the program bounded in time, its status and message kept
  message=$(timeout 20 "$program" "$@" 2>&1 >/dev/null); status=$?
}

survey=$work/two.csv
printf '桩号,高程H,距离S\nK1+000.000,100,2\nK1+000.000,101,0\nK1+000.000,100,-2\n1020,100,2\n1020,102,0\n1020,100,-2\n' \
  >"$survey"
cp "$survey" "$work/original.csv"
ln "$survey" "$work/same.csv"
ln -s two.csv "$work/link-to-survey.csv"

for output in "$survey" "$work/same.csv" "$work/link-to-survey.csv"; do
  run --pdf "$output" "$survey"
  check "--pdf onto its survey as $output: status" 1 "$status"
  check "--pdf onto its survey as $output: message" \
    "velmorin: 没有写入“$output”：它就是测量数据文件“$survey”，写入会毁掉测量数据。请另选一个输出文件。" \
    "$message"
done
check "the survey after --pdf onto it" "" "$(cmp "$survey" "$work/original.csv")"
timeout 20 "$program" --results "$survey" >>"$survey" 2>/dev/null; status=$?
check "--results appended to its survey: status" 1 "$status"
check "the survey after --results onto it" "" "$(cmp "$survey" "$work/original.csv")"

mkfifo "$work/fifo"
run --pdf "$work/fifo" "$survey"
check "--pdf onto a FIFO: status (124: it hung)" 1 "$status"
check "--pdf onto a FIFO: message" \
  "velmorin: 没有写入“$work/fifo”：这是一个管道（FIFO），不是普通文件，保存不会替换它。" "$message"
check "the FIFO stays" yes "$([ -p "$work/fifo" ] && echo yes)"
timeout 20 "$program" --pdf /dev/stdout "$survey" 2>/dev/null | cat >/dev/null
check "--pdf /dev/stdout onto a pipe: status" 1 "${PIPESTATUS[0]}"
if mknod "$work/null" c 1 3 2>/dev/null; then
  run --pdf "$work/null" "$survey"
  check "--pdf onto a device: status" 1 "$status"
  check "the device stays" yes "$([ -c "$work/null" ] && echo yes)"
else
  echo "SKIPPED: --pdf onto a device (mknod not allowed here)"
fi

timeout 20 "$program" --pdf - "$survey" >"$work/stdout.pdf" 2>/dev/null; status=$?
check "--pdf - status" 0 "$status"
check "--pdf - is a PDF" yes "$(pdfinfo "$work/stdout.pdf" | grep -q '^Pages: *1$' && echo yes)"
check "--pdf - through a pipe" "$(wc -c <"$work/stdout.pdf")" \
  "$(timeout 20 "$program" --pdf - "$survey" 2>/dev/null | wc -c)"

mkdir "$work/real"
echo earlier >"$work/real/计算书.pdf"
chmod 640 "$work/real/计算书.pdf"
ln -s real/计算书.pdf "$work/link.pdf"
run --pdf "$work/link.pdf" "$survey"
check "--pdf onto a symbolic link: status" 0 "$status"
check "the link stays" "real/计算书.pdf" "$(readlink "$work/link.pdf")"
check "the file it points to is the PDF" yes "$(pdfinfo "$work/real/计算书.pdf" >/dev/null && echo yes)"
check "the file keeps its permissions" 640 "$(stat -c %a "$work/real/计算书.pdf")"

for mode in "--results $survey" "--pdf - $survey" "--help"; do
  # shellcheck disable=SC2086
  message=$(timeout 20 "$program" $mode 2>&1 >/dev/full); status=$?
  check "$mode onto /dev/full: status" 1 "$status"
  check "$mode onto /dev/full: message" "velmorin: 无法写入文件“/dev/full”：磁盘空间不足。" "$message"
done

mkdir "$full"
if mount -t tmpfs -o size=256k tmpfs "$full" 2>/dev/null; then
  run --pdf "$full/计算书.pdf" "$survey"
  check "--pdf onto a small disk: status" 0 "$status"
  cp "$full/计算书.pdf" "$work/earlier.pdf"
  # Room for a part of the PDF only, so that Qt writes some of it and fails.
  dd if=/dev/zero of="$full/filler" bs=1k count=220 2>/dev/null
  run --pdf "$full/计算书.pdf" "$survey"
  check "--pdf onto a full disk: status" 1 "$status"
  check "--pdf onto a full disk: message" "velmorin: 无法写入文件“$full/计算书.pdf”：磁盘空间不足。" "$message"
  check "the earlier PDF stays whole" "" "$(cmp "$full/计算书.pdf" "$work/earlier.pdf")"
  check "no temporary left" "filler 计算书.pdf" "$(ls -A "$full" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
  dd if=/dev/zero of="$full/filler2" bs=4k 2>/dev/null
  message=$(timeout 20 "$program" --results "$survey" 2>&1 >"$full/results.csv"); status=$?
  check "--results onto a full disk: status" 1 "$status"
  check "--results onto a full disk: message" "velmorin: 无法写入文件“$full/results.csv”：磁盘空间不足。" "$message"
else
  echo "SKIPPED: the full disk (cannot mount a small tmpfs here: not root, or no mounting allowed)"
fi

help=$("$program" --help)
check "--help says what - means" yes "$(grep -q 'OUT.pdf 为“-”时写到标准输出' <<<"$help" && echo yes)"
check "--help says which outputs are refused" yes \
  "$(grep -q '不写的输出：设备、管道（FIFO）、文件夹，以及 FILE' <<<"$help" && echo yes)"

[ "$failed" -eq 0 ] && echo OK
exit "$failed"
