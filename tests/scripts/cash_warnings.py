#!/usr/bin/python3
"""Checks of the cash warnings of a workbook, for the interop tests.

  cash_warnings.py rules BOOK.xlsx
      The conditional formats of the first sheet as openpyxl reads them, as JSON
      {"formats": [...]}: per range its rules in priority order (operator, formulas, font and fill colour, stop if
      true), and the labels in column B of the rows they cover.
  cash_warnings.py marks BOOK PROFILE_DIR ITEM VALUE FILL...
      Opens BOOK in LibreOffice, prints it to PDF as it opens and again after typing VALUE
      into the first period cell (column D) of the row labelled ITEM and recalculating, and
      prints as JSON how many pixels of each FILL colour (RRGGBB) either page shows.
"""
import json
import os
import re
import subprocess
import sys
import tempfile


def rules(path):
    import openpyxl
    sheet = openpyxl.load_workbook(path).worksheets[0]

    def rgb(color):
        return color.rgb if color is not None and color.type == "rgb" else None

    out = []
    for formatting in sheet.conditional_formatting:
        found = []
        for rule in sorted(formatting.rules, key=lambda r: r.priority):
            dxf = rule.dxf
            fill = None
            if dxf is not None and dxf.fill is not None:
                fill = rgb(dxf.fill.bgColor) or rgb(dxf.fill.fgColor)
            found.append({
                "type": rule.type, "operator": rule.operator, "formula": list(rule.formula or []),
                "font": rgb(dxf.font.color) if dxf is not None and dxf.font is not None else None,
                "fill": fill, "stop": bool(rule.stopIfTrue),
            })
        rows = {str(r): sheet.cell(row=r, column=2).value
                for cells in formatting.sqref.ranges for r in range(cells.min_row, cells.max_row + 1)}
        out.append({"range": str(formatting.sqref), "rules": found, "labels": rows})
    print(json.dumps({"formats": sorted(out, key=lambda f: f["range"])}))


def count_colours(pdf, fills):
    """Pixels of each fill colour, give or take 2 in each channel, on the page at 72 dpi."""
    ppm = subprocess.run(["pdftoppm", "-r", "72", "-singlefile", pdf], capture_output=True, check=True).stdout
    header = re.match(rb"P6\s+\d+\s+\d+\s+\d+\s", ppm)
    pixels = ppm[header.end():]
    wanted = {fill: tuple(int(fill[i:i + 2], 16) for i in (0, 2, 4)) for fill in fills}
    counts = {fill: 0 for fill in fills}
    for i in range(0, len(pixels) - 2, 3):
        r, g, b = pixels[i], pixels[i + 1], pixels[i + 2]
        for fill, (wr, wg, wb) in wanted.items():
            if abs(r - wr) <= 2 and abs(g - wg) <= 2 and abs(b - wb) <= 2:
                counts[fill] += 1
    return counts


def marks(book, profile, item, value, fills):
    import office  # LibreOffice's Python bridge: only this check needs it
    counts = {}
    with office.desktop(profile) as desktop:
        document = office.open_hidden(desktop, book)
        sheet = document.Sheets.getByIndex(0)
        row = next(r for r in range(300) if sheet.getCellByPosition(1, r).getString() == item)
        with tempfile.TemporaryDirectory() as folder:
            for when in ("before", "after"):
                if when == "after":
                    sheet.getCellByPosition(3, row).setValue(float(value))
                document.calculateAll()
                pdf = os.path.join(folder, when + ".pdf")
                document.storeToURL(office.uno.systemPathToFileUrl(pdf),
                                    office.properties(FilterName="calc_pdf_Export"))
                counts[when] = count_colours(pdf, fills)
        document.close(True)
    print(json.dumps(counts))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "rules":
        rules(sys.argv[2])
    elif len(sys.argv) >= 7 and sys.argv[1] == "marks":
        marks(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5], sys.argv[6:])
    else:
        sys.exit(__doc__)
