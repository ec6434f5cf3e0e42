# `cpack -G DEB` in a build folder makes a Debian package of what `cmake --install` lays
# out, under /usr. Its dependencies are computed from the programs' shared libraries by
# dpkg-shlibdeps, so they follow whatever the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallowmere)
set(CPACK_PACKAGE_VENDOR "The Tallowmere developers")
set(CPACK_PACKAGE_CONTACT "The Tallowmere developers <developers@tallowmere.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cash-flow planning workbooks")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The debugging information of a RelWithDebInfo build stays in the build folder.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tallowmere keeps a company name, a period layout (by year, by month or by week)
and a list of cash-flow line items, and lays out a worksheet with one column
per period, the total rows' formulas and the carry-over of closing cash. It
saves the workbook as an Excel 97-2003 file, shows a picture of it that can be
zoomed and dragged, and saves a copy as .xls, as an Excel Workbook (.xlsx) or as
a one-page PDF. tallowmere-cli makes the same workbook without a window.")
# The windows and the sheet's picture ask for Arial, which fontconfig maps to Liberation
# Sans; without it another sans-serif font stands in, and the command line draws with
# the system's whole font configuration instead of its own short one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

include(CPack)
