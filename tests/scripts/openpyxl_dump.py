#!/usr/bin/python3
# Reads the first sheet of an .xlsx with openpyxl and prints as JSON: every cell with a
# value or formula (the value its writer calculated, the formula as an A1 text, fonts,
# fill, format, borders, alignment), the Normal style's font, column widths and ranges,
# row heights, merges and page setup. Usage: openpyxl_dump.py BOOK.xlsx
import json, sys, openpyxl
values = openpyxl.load_workbook(sys.argv[1], data_only=True)
formulas = openpyxl.load_workbook(sys.argv[1], data_only=False)
ws, wf = values.worksheets[0], formulas.worksheets[0]
def color(c):
    return c.rgb if c is not None and c.type == "rgb" else None
cells = {}
for row in wf.iter_rows():
    for cell in row:
        v = ws.cell(row=cell.row, column=cell.column).value
        f = cell.value if isinstance(cell.value, str) and cell.value.startswith("=") else None
        if v is None and f is None:
            continue
        if hasattr(v, "isoformat"):
            v = v.isoformat()
        cells["%d,%d" % (cell.row, cell.column)] = {
            "value": v, "formula": f, "format": cell.number_format, "bold": bool(cell.font.b),
            "size": cell.font.sz, "fill": color(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None,
            "fontColor": color(cell.font.color),
            "borders": [cell.border.left.style, cell.border.top.style, cell.border.right.style, cell.border.bottom.style],
            "borderColor": color(cell.border.left.color),
            "hAlign": cell.alignment.horizontal, "vAlign": cell.alignment.vertical, "wrap": bool(cell.alignment.wrap_text),
        }
def fill(d):
    return color(d.fill.fgColor) if d.fill.fill_type == "solid" else None
ps, pm = wf.page_setup, wf.page_margins
print(json.dumps({
    "sheet": wf.title, "cells": cells,
    "normalFont": [formulas._named_styles["Normal"].font.name, formulas._named_styles["Normal"].font.sz],
    "widths": {k: d.width for k, d in wf.column_dimensions.items() if d.customWidth},
    "columns": [[d.min, d.max, d.width, fill(d)] for d in wf.column_dimensions.values()],
    "heights": {str(k): d.height for k, d in wf.row_dimensions.items() if d.height is not None},
    "defaultHeight": wf.sheet_format.defaultRowHeight,
    "merges": [str(r) for r in wf.merged_cells.ranges],
    "printArea": str(wf.print_area),
    "orientation": ps.orientation, "paperSize": ps.paperSize,
    "fitToWidth": 1 if ps.fitToWidth is None else ps.fitToWidth,  # absent means 1
    "fitToHeight": 1 if ps.fitToHeight is None else ps.fitToHeight,
    "fitToPage": bool(wf.sheet_properties.pageSetUpPr and wf.sheet_properties.pageSetUpPr.fitToPage),
    "margins": [pm.left, pm.right, pm.top, pm.bottom, pm.header, pm.footer],
    "active": wf.sheet_view.selection[0].activeCell if wf.sheet_view.selection else None,
}, default=str))
