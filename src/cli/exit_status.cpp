#include "cli/exit_status.h"

#include <algorithm>
#include <iostream>

namespace tallowmere::cli {

int Fail(int status, const std::string& message) {
  std::string text = message;
  std::erase(text, '\r');  // messages meant for a message box break lines with CR LF
  std::cerr << "tallowmere-cli: " << text << "\n";
  return status;
}

}  // namespace tallowmere::cli
