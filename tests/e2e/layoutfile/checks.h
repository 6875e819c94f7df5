// A very small check harness for the Windows-side programs: each check
// prints its outcome, and the program ends with "N passed, N failed".
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace icotrace::e2e {

class Checks {
 public:
  void Expect(bool ok, const char* what, std::u16string_view detail = {}) {
    ++(ok ? m_passed : m_failed);
    std::printf("%s %s", ok ? "ok  " : "FAIL", what);
    if (!detail.empty()) std::printf(" -- %s", Utf8(detail).c_str());
    std::printf("\n");
    std::fflush(stdout);
  }

  int Finish() const {
    std::printf("%d passed, %d failed\n", m_passed, m_failed);
    return m_failed == 0 ? 0 : 1;
  }

  static std::string Utf8(std::u16string_view text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
  }

 private:
  int m_passed = 0;
  int m_failed = 0;
};

}  // namespace icotrace::e2e
