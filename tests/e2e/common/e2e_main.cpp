// The main of every Windows-side test program: GoogleTest takes its own
// switches (--gtest_filter names the scenario a ctest entry runs), the rest
// are the program's arguments (ProgramArguments). A run whose tests were all
// skipped ends with kExitAllSkipped, which ctest shows as skipped.
#include <windows.h>

#include <vector>

#include "e2e_environment.h"
#include "e2e_test.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  icotrace::e2e::SetProgramArguments(std::vector<std::wstring>(argv + 1, argv + argc));
  const int failed = RUN_ALL_TESTS();
  const testing::UnitTest& run = *testing::UnitTest::GetInstance();
  if (failed == 0 && run.successful_test_count() == 0 && run.skipped_test_count() > 0)
    return icotrace::e2e::kExitAllSkipped;
  return failed;
}
