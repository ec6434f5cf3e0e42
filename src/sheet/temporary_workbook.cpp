#include "sheet/temporary_workbook.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

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

std::string JoinPath(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

Claim ClaimFile(const std::string& path) {
  // "x": fail when the file exists, atomically with its creation.
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file) {
    std::fclose(file);
    return Claim::Created;
  }
  const int error = errno;
  if (error == EEXIST) return Claim::Exists;
  throw std::runtime_error("Cannot create " + path + ": " + std::strerror(error));
}

}  // namespace tallowmere
