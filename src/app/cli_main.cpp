// The command line program.
#include <cstdio>

int main() {
  std::puts("tallowmere-cli: generate a cash-flow workbook (commands follow).");
  return 0;
}
