#include "e2e_check.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "core/command_error.h"
#include "e2e_environment.h"

namespace icotrace::e2e {
namespace {

int g_passed = 0;
int g_failed = 0;
int g_skipped = 0;

}  // namespace

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

std::string Utf8(std::u16string_view text) {
  return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

bool Record(bool passed, std::string_view what, const char* file, int line,
            const std::string& detail) {
  if (passed) {
    ++g_passed;
    return true;
  }
  ++g_failed;
  std::printf("FAILED %s:%d: %.*s%s%s\n", file, line, static_cast<int>(what.size()), what.data(),
              detail.empty() ? "" : ": ", detail.c_str());
  std::fflush(stdout);
  return false;
}

void Scenario(std::string_view name, const std::function<void()>& body) {
  std::printf("-- %.*s\n", static_cast<int>(name.size()), name.data());
  std::fflush(stdout);
  const int failedBefore = g_failed;
  const ULONGLONG start = GetTickCount64();
  try {
    body();
  } catch (const CommandError& error) {
    Record(false, "unexpected CommandError", __FILE__, __LINE__, Utf8(error.Message()));
  } catch (const std::exception& error) {
    Record(false, "unexpected exception", __FILE__, __LINE__, error.what());
  } catch (...) {
    Record(false, "unexpected exception", __FILE__, __LINE__, "of an unknown type");
  }
  std::printf("   %s (%llu ms)\n", g_failed == failedBefore ? "ok" : "FAILED",
              GetTickCount64() - start);
  std::fflush(stdout);
}

void Skip(std::string_view what) {
  ++g_skipped;
  std::printf("SKIPPED: %.*s\n", static_cast<int>(what.size()), what.data());
  std::fflush(stdout);
}

int Summary() {
  std::printf("%d passed, %d failed", g_passed, g_failed);
  if (g_skipped > 0) std::printf(", %d skipped", g_skipped);
  std::printf("\n");
  std::fflush(stdout);
  if (g_failed > 0) return 1;
  return g_passed == 0 && g_skipped > 0 ? kExitAllSkipped : 0;
}

}  // namespace icotrace::e2e
