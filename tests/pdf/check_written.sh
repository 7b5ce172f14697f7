#!/bin/bash
# check_written.sh TEST_BINARY OUT_DIR CHECK_PDF_SH WORK_DIR [GTEST_FILTER]
# Runs the writer tests (those the filter picks) with their PDFs sent to
# OUT_DIR, then every validator of check_pdf.sh over each of them. Exit 77
# (skip) without the tools.
set -u
bin=$1 out=$2 check=$3 work=$4
filtro=("${@:5}")
if [ ! -r "$check" ]; then
    echo "check_pdf.sh not found at $check: skipped"
    exit 77
fi
for tool in qpdf pdfinfo mutool gs python3; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
rm -rf "$out" "$work"
mkdir -p "$out" "$work"
TASTAVIA_PDF_OUT_DIR="$out" "$bin" --gtest_brief=1 "${filtro[@]}" > "$work/test.log" 2>&1 || { cat "$work/test.log"; echo "test_pdf failed"; exit 1; }

# The tool folder may be read-only: work on a copy. Its strict checker used
# to crash on an inline /Indexed colour space (a list used as a dict key);
# the copy gets that one line mended when it is still there.
cp "$(dirname "$check")"/* "$work"/
sed -i "s/comps = {'DeviceGray': 1, 'DeviceRGB': 3, 'DeviceCMYK': 4}.get(cs)\$/comps = None if isinstance(cs, list) else {'DeviceGray': 1, 'DeviceRGB': 3, 'DeviceCMYK': 4}.get(cs)/" "$work/pdf_strict.py"

shopt -s nullglob
files=("$out"/*.pdf)
[ ${#files[@]} -gt 0 ] || { echo "the tests wrote no PDF"; exit 1; }
fails=0
for f in "${files[@]}"; do
    EXPECT_VERSION=1.3 QUIET=1 bash "$work/check_pdf.sh" "$f" || fails=$((fails + 1))
done
echo "${#files[@]} files checked, $fails failed"
[ $fails -eq 0 ]
