// Counts and prints the checks of one run; the last line is the plain
// "N passed, N failed" that the test runners read.
#pragma once

#include <string>
#include <string_view>

#include "e2e_check.h"  // Utf8

namespace icotrace::e2e {

class CheckReport {
 public:
  // Records one check; prints what was seen when it fails.
  bool Expect(bool ok, std::string_view what, std::string_view seen = {});
  bool ExpectText(std::wstring_view seen, std::u16string_view expected, std::string_view what);
  bool ExpectNumber(long long seen, long long expected, std::string_view what);
  void Note(std::string_view text);
  // Prints the closing line; the exit code of the run.
  int Finish();

 private:
  int m_passed = 0;
  int m_failed = 0;
};

}  // namespace icotrace::e2e
