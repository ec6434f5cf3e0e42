#!/usr/bin/python3
# The arithmetic of a cash-flow workbook after a spreadsheet has recalculated it.
#   cash_flow_recalc.py fill CONVERTED.xlsx FILLED.xlsx
#     fills every plain item row with numbers (headings, totals and formula rows stay);
#   cash_flow_recalc.py check FILLED.xlsx RECALCULATED.csv RECEIPTS
#     checks each formula of the item rows against the arithmetic of its own references in
#     the recalculated values, and the receipts total (RECEIPTS rows from Cash Sales), the
#     cash available and the cash carried over by row names; prints "OK <formulas>" or
#     one failure per line.
import csv, re, sys, openpyxl
from openpyxl.utils import column_index_from_string, get_column_letter

def fill(src, dst):
    wb = openpyxl.load_workbook(src)
    ws = wb.active
    for r in range(5, ws.max_row + 1):
        name = ws.cell(r, 2).value
        if not name: continue
        cells = [ws.cell(r, c) for c in range(3, ws.max_column + 1)]
        if any(isinstance(c.value, str) and c.value.startswith('=') for c in cells): continue
        if ws.cell(r, 2).font.b: continue  # headings and total rows
        for c in cells: c.value = (r * 7 + c.column) % 50 + 1
    wb.save(dst)

def check(filled, recalculated, receipts):
    wb = openpyxl.load_workbook(filled)
    ws = wb.active
    rows = list(csv.reader(open(recalculated, encoding='utf-8')))
    def value(r, c):
        if r - 1 >= len(rows) or c - 1 >= len(rows[r - 1]): return 0.0
        t = rows[r - 1][c - 1].strip()
        return float(t) if t else 0.0
    failures, formulas = [], 0
    names = {}
    for r in range(5, ws.max_row + 1):
        if ws.cell(r, 2).value: names[ws.cell(r, 2).value] = r
        for c in range(3, ws.max_column + 1):
            f = ws.cell(r, c).value
            if not (isinstance(f, str) and f.startswith('=')): continue
            formulas += 1
            expected, sign = 0.0, 1
            for tok in re.findall(r'[+-]|[A-Z]+[0-9]+', f[1:]):
                if tok in '+-': sign = 1 if tok == '+' else -1; continue
                m = re.match(r'([A-Z]+)([0-9]+)', tok)
                expected += sign * value(int(m.group(2)), column_index_from_string(m.group(1)))
            if abs(value(r, c) - expected) > 1e-6:
                failures.append('%s%d %s: %s != %s' % (get_column_letter(c), r, f, value(r, c), expected))
    total = names.get('TOTAL CASH RECEIPTS')
    first = names.get('Cash Sales')
    for c in range(3, ws.max_column + 1):
        if not (total and first and isinstance(ws.cell(total, c).value, str)): continue
        if value(total, c) != sum(value(first + i, c) for i in range(receipts)):
            failures.append('receipts total in column %d' % c)
    opening, closing = names.get('Cash on Hand (beginning of month)'), names.get('Cash Position (end of month)')
    available = names.get('Total Cash Available (before cash out)')
    for c in range(3, ws.max_column + 1):
        if value(available, c) != value(opening, c) + value(total, c):
            failures.append('cash available in column %d counts the receipts more than once' % c)
    for c in range(4, ws.max_column + 1):
        if value(opening, c) != value(closing, c - 1):
            failures.append('carry-over into column %d' % c)
    if formulas == 0: failures.append('no formulas found')
    print('\n'.join(failures) if failures else 'OK %d' % formulas)

if sys.argv[1] == 'fill': fill(sys.argv[2], sys.argv[3])
else: check(sys.argv[2], sys.argv[3], int(sys.argv[4]))
