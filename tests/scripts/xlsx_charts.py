#!/usr/bin/python3
"""Reads an .xlsx with openpyxl and prints, as JSON, the row of its first sheet whose
column B names ROW_NAME and the charts lying on that sheet: for each, its kind and the
references of its series' values and categories.

Usage: xlsx_charts.py WORKBOOK ROW_NAME"""

import json
import sys

import openpyxl


def reference(data):
    if data is None:
        return None
    ref = data.numRef or data.strRef
    return ref.f if ref is not None else None


def main(path, row_name):
    sheet = openpyxl.load_workbook(path).worksheets[0]
    row = next((cell.row for cell in sheet["B"] if cell.value == row_name), None)
    charts = [{"kind": chart.tagname,
               "series": [{"values": reference(s.val), "categories": reference(s.cat)} for s in chart.series]}
              for chart in sheet._charts]
    print(json.dumps({"row": row, "charts": charts}))


if __name__ == "__main__":
    main(*sys.argv[1:3])
