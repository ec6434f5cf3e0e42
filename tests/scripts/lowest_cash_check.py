#!/usr/bin/python3
"""Opens workbooks in a headless LibreOffice, recalculates them and prints, for each, the
shown texts of its "Lowest cash position" line (the lowest cash and its period). With
--edit ITEM COLUMN NUMBER it then types NUMBER into the cell of the row named ITEM in
COLUMN, recalculates and prints the line again.

Usage: lowest_cash_check.py PROFILE_DIR [--edit ITEM COLUMN NUMBER] WORKBOOK...
Prints one line per workbook: name, lowest, period[, lowest, period after the edit],
separated by tabs."""

import os
import sys

import office

LABEL = "Lowest cash position"


def row_named(sheet, name):
    """The 0-based row whose column B holds name, or None."""
    for row in range(0, 2000):
        if sheet.getCellByPosition(1, row).getString() == name:
            return row
    return None


def line(sheet):
    row = row_named(sheet, LABEL)
    if row is None:
        return ["(none)", "(none)"]
    return [sheet.getCellByPosition(column, row).getString() for column in (3, 4)]


def main(argv):
    profile, files, edit = argv[0], argv[1:], None
    if files and files[0] == "--edit":
        edit, files = files[1:4], files[4:]
    with office.desktop(profile) as desktop:
        for path in files:
            doc = office.open_hidden(desktop, path)
            doc.calculateAll()
            sheet = doc.getSheets().getByIndex(0)
            fields = [os.path.basename(path)] + line(sheet)
            if edit:
                item, column, number = edit
                row = row_named(sheet, item)
                sheet.getCellRangeByName(column + str(row + 1)).setValue(float(number))
                doc.calculateAll()
                fields += line(sheet)
            print("\t".join(fields), flush=True)
            doc.close(True)


if __name__ == "__main__":
    main(sys.argv[1:])
