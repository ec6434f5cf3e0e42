#!/usr/bin/python3
# Exits 0 when two plan files hold the same: an .xls byte for byte; an .xlsx part by part
# apart from the creation and modification times it records; a PDF as its pages are drawn
# and its text (its embedded font subsets record the time of writing too).
# Usage: same_plan_files.py FIRST SECOND
import re
import subprocess
import sys
import zipfile


def strip(path):
    if path.endswith('.xlsx'):
        z = zipfile.ZipFile(path)
        return [(n, re.sub(rb'<dcterms:(created|modified)[^<]*<', b'', z.read(n))) for n in z.namelist()]
    if path.endswith('.pdf'):
        return [subprocess.run(c, capture_output=True, check=True).stdout
                for c in (['pdftoppm', '-r', '60', '-singlefile', path], ['pdftotext', '-layout', path, '-'])]
    return open(path, 'rb').read()


sys.exit(strip(sys.argv[1]) != strip(sys.argv[2]))
