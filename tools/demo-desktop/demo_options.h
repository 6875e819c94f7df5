// The demo desktop's command line (see demo_protocol.h for the switches).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace icotrace::demo {

struct DemoOptions {
  bool WorkerW = false;
  bool CallbackText = false;
  bool SnapToGrid = false;
  bool AutoArrange = false;
  bool IgnoreMoves = false;
  std::wstring ShellViewFolder;  // empty: the list view of our own
  std::optional<std::int32_t> Count;
  std::wstring ItemsFile;
  std::optional<std::uint32_t> ExitAfter;
  std::optional<std::uint32_t> HangAfter;
  std::wstring DumpFile;
  bool WindowsShell = false;
  std::wstring ViewStateFile;  // empty: the state lives as long as the process
  std::vector<std::wstring> Faults;
};

class OptionError : public std::runtime_error {
 public:
  explicit OptionError(std::wstring message)
      : std::runtime_error("bad option"), m_message(std::move(message)) {}
  const std::wstring& Message() const { return m_message; }

 private:
  std::wstring m_message;
};

// arguments without the program's own name. Throws OptionError.
DemoOptions ParseDemoOptions(const std::vector<std::wstring>& arguments);

}  // namespace icotrace::demo
