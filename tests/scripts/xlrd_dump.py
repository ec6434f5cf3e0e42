#!/usr/bin/python3
# Reads the first sheet of an .xls with xlrd and prints what it found as JSON: cells with
# their fonts, fills, formats, borders and alignment, column widths, row heights, merges
# and names. Usage: xlrd_dump.py BOOK.xls
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_index(0)
def rgb(icv):
    c = book.colour_map.get(icv)
    return list(c) if c else None
cells = {}
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_EMPTY:
            continue
        xf = book.xf_list[cell.xf_index]
        font = book.font_list[xf.font_index]
        cells["%d,%d" % (r + 1, c + 1)] = {
            "type": cell.ctype, "value": cell.value,
            "bold": bool(font.bold), "size": font.height / 20.0, "font": font.name,
            "fontColor": rgb(font.colour_index),
            "fill": rgb(xf.background.pattern_colour_index) if xf.background.fill_pattern == 1 else None,
            "format": book.format_map[xf.format_key].format_str,
            "borders": [xf.border.left_line_style, xf.border.top_line_style, xf.border.right_line_style, xf.border.bottom_line_style],
            "borderColor": rgb(xf.border.left_colour_index) if xf.border.left_line_style else None,
            "hAlign": xf.alignment.hor_align, "vAlign": xf.alignment.vert_align, "wrap": xf.alignment.text_wrapped,
        }
print(json.dumps({
    "sheet": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols, "cells": cells,
    "widths": {str(c + 1): i.width for c, i in sheet.colinfo_map.items()},
    "heights": {str(r + 1): i.height for r, i in sheet.rowinfo_map.items() if not i.height_mismatch == 0 or True},
    "customHeights": [r + 1 for r, i in sheet.rowinfo_map.items() if i.height_mismatch],
    "merges": [list(m) for m in sheet.merged_cells],
    "printArea": [[n.name, n.result.text if n.result else None] for n in book.name_obj_list],

}))
