// What every Windows-side test file includes: GoogleTest, with the wide and
// UTF-16 strings of the program shown as UTF-8 text in a failure rather
// than as escaped code units.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace icotrace::e2e {

std::string Utf8(std::wstring_view text);
std::string Utf8(std::u16string_view text);

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
