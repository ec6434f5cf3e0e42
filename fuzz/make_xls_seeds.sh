#!/usr/bin/env bash
# Makes the workbook seeds of xls_reader_fuzz anew: small workbooks of our own writer, the
# same saved again by LibreOffice and one LibreOffice made from a CSV file, the bare
# workbook streams of these (the fuzzer reads input without the compound-file signature
# as a workbook stream) and a truncated file.
# Usage: fuzz/make_xls_seeds.sh BUILD_DIR   (a build that holds src/app/tallowmere-cli)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="$(cd "$1" && pwd)/src/app/tallowmere-cli"
out="$here/corpus/xls_reader_fuzz"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The eight reserved items alone keep the workbooks to a few KB.
cat >"$work/items.txt" <<'EOF'
Cash on Hand (beginning of month)
Cash Sales
TOTAL CASH RECEIPTS
Total Cash Available (before cash out)
Purchases (merchandise)
SUBTOTAL
TOTAL CASH PAID OUT
Cash Position (end of month)
EOF
export XDG_CONFIG_HOME="$work/config"   # the defaults, whatever the user has stored
"$cli" generate --out "$out/ours_by_week.xls" --by-week 1 --items "$work/items.txt"
"$cli" generate --out "$out/ours_by_year.xls" --by-year 2024 2024 --company "Größe & Co" --items "$work/items.txt"
"$cli" generate --out "$out/ours_by_month.xls" --by-month 2024 2024 --items "$work/items.txt"

printf 'Month,Amount,Note\n1/1/2024,1200.5,Rent\n2/1/2024,-30,"Fee, bank"\n3/1/2024,0.25,Ünïcode\n' \
  >"$work/other_from_csv.csv"
cp "$out/ours_by_year.xls" "$work/other_resaved.xls"
soffice "-env:UserInstallation=file://$work/lo-profile" --headless --convert-to xls --outdir "$work/lo" \
  "$work/other_from_csv.csv" "$work/other_resaved.xls" >/dev/null
cp "$work/lo/other_from_csv.xls" "$work/lo/other_resaved.xls" "$out/"

for name in ours_by_week other_from_csv other_resaved; do
  /usr/bin/python3 - "$out/$name.xls" "$out/$name.workbook" <<'EOF'
import sys, xlrd.compdoc
doc = xlrd.compdoc.CompDoc(open(sys.argv[1], 'rb').read(), logfile=open('/dev/null', 'w'))
open(sys.argv[2], 'wb').write(doc.get_named_stream('Workbook'))
EOF
done
head -c 3072 "$out/ours_by_year.xls" >"$out/truncated.xls"
