// What every Windows-side test file includes: GoogleTest, with the wide and
// UTF-16 strings of the program shown as UTF-8 text in a failure rather
// than as escaped code units.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "e2e_environment.h"  // Utf8

namespace icotrace::e2e {

// A Windows text as the program's portable code holds it.
inline std::u16string U16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

}  // namespace icotrace::e2e

namespace testing::internal {

template <>
class UniversalPrinter<std::wstring> {
 public:
  static void Print(const std::wstring& text, std::ostream* out) {
    *out << "L\"" << icotrace::e2e::Utf8(text) << '"';
  }
};

template <>
class UniversalPrinter<std::u16string> {
 public:
  static void Print(const std::u16string& text, std::ostream* out) {
    *out << "u\"" << icotrace::e2e::Utf8(text) << '"';
  }
};

}  // namespace testing::internal
