#include "check_report.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace icotrace::e2e {

bool CheckReport::Expect(bool ok, std::string_view what, std::string_view seen) {
  if (ok) {
    ++m_passed;
    std::printf("ok      %.*s\n", static_cast<int>(what.size()), what.data());
  } else {
    ++m_failed;
    std::printf("FAILED  %.*s", static_cast<int>(what.size()), what.data());
    if (!seen.empty()) std::printf("  [seen: %.*s]", static_cast<int>(seen.size()), seen.data());
    std::printf("\n");
  }
  std::fflush(stdout);
  return ok;
}

bool CheckReport::ExpectText(std::wstring_view seen, std::u16string_view expected,
                             std::string_view what) {
  const bool same = seen.size() == expected.size() &&
                    std::equal(seen.begin(), seen.end(), expected.begin(),
                               [](wchar_t a, char16_t b) { return a == static_cast<wchar_t>(b); });
  return Expect(same, what, same ? std::string() : "\"" + Utf8(seen) + "\"");
}

bool CheckReport::ExpectNumber(long long seen, long long expected, std::string_view what) {
  return Expect(seen == expected, what, std::to_string(seen));
}

void CheckReport::Note(std::string_view text) {
  std::printf("note    %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(stdout);
}

int CheckReport::Finish() {
  std::printf("%d passed, %d failed\n", m_passed, m_failed);
  std::fflush(stdout);
  return m_failed == 0 && m_passed > 0 ? 0 : 1;
}

}  // namespace icotrace::e2e
