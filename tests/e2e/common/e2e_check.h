// A small check runner for the Windows-side end-to-end programs: checks count
// and report, scenarios catch what escapes them, and the closing line reads
// "N passed, N failed".
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

namespace icotrace::e2e {

std::string Utf8(std::wstring_view text);
std::string Utf8(std::u16string_view text);

// How a value shows in a failure message.
template <typename T>
std::string Describe(const T& value) {
  if constexpr (std::is_convertible_v<const T&, std::wstring_view>) {
    return '"' + Utf8(std::wstring_view(value)) + '"';
  } else if constexpr (std::is_convertible_v<const T&, std::u16string_view>) {
    return '"' + Utf8(std::u16string_view(value)) + '"';
  } else {
    std::ostringstream out;
    out << value;
    return out.str();
  }
}

// Records one check; prints it when it fails. Returns passed.
bool Record(bool passed, std::string_view what, const char* file, int line,
            const std::string& detail = {});

template <typename A, typename B>
bool RecordEqual(const A& actual, const B& expected, std::string_view what, const char* file,
                 int line) {
  const bool equal = actual == expected;
  return Record(
      equal, what, file, line,
      equal ? std::string() : "got " + Describe(actual) + ", expected " + Describe(expected));
}

// Runs one scenario; an exception that escapes it counts as a failed check.
void Scenario(std::string_view name, const std::function<void()>& body);

// Says why something was not checked (not a failure).
void Skip(std::string_view what);

// Prints "N passed, N failed" (and skipped) and gives the exit code: 1 when a
// check failed, kExitAllSkipped when nothing was checked, 0 otherwise.
int Summary();

}  // namespace icotrace::e2e

#define E2E_CHECK(condition) ::icotrace::e2e::Record((condition), #condition, __FILE__, __LINE__)
#define E2E_CHECK_EQ(actual, expected) \
  ::icotrace::e2e::RecordEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
