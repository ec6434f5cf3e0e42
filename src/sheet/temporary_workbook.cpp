#include "sheet/temporary_workbook.h"

#include <random>

namespace tallowmere {

DigitSource RandomDigits() {
  return [] {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> digit(1, 9);
    return digit(generator);
  };
}

std::string DrawWorkbookStem(const DigitSource& digits) {
  std::string stem = "vormid";
  for (int i = 0; i < 8; ++i) stem += static_cast<char>('0' + digits());
  return stem;
}

}  // namespace tallowmere
