// Another process that holds a file open without sharing, as an editor or a
// backup program would, until it is let go.
#pragma once

#include <windows.h>

#include <string>

namespace icotrace::e2e {

// The argument that makes this program the holding child.
inline constexpr wchar_t kHoldArgument[] = L"--hold";

class FileHolder {
 public:
  // Starts this same program as a child that opens path and waits; returns
  // once the file is held (or the child failed, see Holding()).
  explicit FileHolder(const std::wstring& path);
  ~FileHolder();
  FileHolder(const FileHolder&) = delete;
  FileHolder& operator=(const FileHolder&) = delete;

  bool Holding() const { return m_holding; }

 private:
  HANDLE m_ready = nullptr;
  HANDLE m_release = nullptr;
  PROCESS_INFORMATION m_child{};
  bool m_holding = false;
};

}  // namespace icotrace::e2e
