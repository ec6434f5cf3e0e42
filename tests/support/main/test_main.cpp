// Test main of the programs without Qt.
#include <gtest/gtest.h>

// Under AddressSanitizer, the leaks proven to be inside libraries (scripts/lsan.supp) are
// known by frames of libraries built without frame pointers, such as fontconfig's loading
// of its configuration: only a full unwind of each allocation reaches them.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
