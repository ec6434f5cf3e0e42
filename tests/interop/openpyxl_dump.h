#pragma once
// What openpyxl reads in an .xlsx, as JSON, and what it must read in the page setup of a
// cash-flow sheet, whoever wrote the file.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <cmath>

namespace tallowmere::testing {

inline QJsonObject CellOf(const QJsonObject& dump, int row, int column) {
  return dump["cells"].toObject()[QString("%1,%2").arg(row).arg(column)].toObject();
}

// The pixels a spreadsheet shows for a column width as a file stores it (characters of
// the widest digit, 7 pixels in Arial 10 at 96 dpi, padding included).
inline int StoredWidthPixels(double width) {
  constexpr double kDigit = 7;
  return static_cast<int>(std::trunc((256 * width + std::trunc(128 / kDigit)) / 256 * kDigit));
}

// The file's header and footer margins are 0, as the layout sets them.
inline void ExpectNoHeaderFooterMargins(const QJsonObject& dump) {
  EXPECT_EQ(dump["margins"].toArray()[4].toDouble(), 0.0);  // header
  EXPECT_EQ(dump["margins"].toArray()[5].toDouble(), 0.0);  // footer
}

// The page setup the cash-flow layout makes, with the print area's absolute address
// ("$A$1:$E$11"). Header and footer margins are left out: LibreOffice drops them from a
// page without header or footer.
inline void ExpectCashFlowPageSetup(const QJsonObject& dump, const QString& printArea) {
  EXPECT_TRUE(dump["printArea"].toString().contains(printArea)) << dump["printArea"].toString().toStdString();
  EXPECT_EQ(dump["orientation"].toString(), "landscape");
  EXPECT_EQ(dump["paperSize"].toInt(), 9);
  EXPECT_TRUE(dump["fitToPage"].toBool());
  EXPECT_EQ(dump["fitToWidth"].toInt(), 1);
  EXPECT_EQ(dump["fitToHeight"].toInt(), 1);
  const QJsonArray margins = dump["margins"].toArray();
  EXPECT_EQ(margins[0].toDouble(), 0.7);
  EXPECT_EQ(margins[1].toDouble(), 0.7);
  EXPECT_EQ(margins[2].toDouble(), 0.5);
  EXPECT_EQ(margins[3].toDouble(), 0.5);
  EXPECT_EQ(dump["active"].toString(), "C5");
}

}  // namespace tallowmere::testing
