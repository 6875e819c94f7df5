// A copy of Icotrace.exe and its InterprocessImageList.dll in a folder of the
// check's own, so that each scenario decides whether the layout file beside
// the program exists, what it holds and whether it is read-only.
#pragma once

#include <optional>
#include <string>

namespace icotrace::e2e {

// The layout file for the screen as it is now in folder, named by the
// program's own rule (LayoutFileName), so that a check and the program never
// disagree on it.
std::wstring LayoutFileIn(const std::wstring& folder);
// What a start with a layout file depends on, for a failure message: the
// screen, the file looked for in folder and the files the folder holds.
std::string StartAccount(const std::wstring& folder);

class ScratchInstall {
 public:
  // <e2e folder>\scratch\<name>, emptied, with the program and its DLL (which
  // sit side by side in the build). Throws E2eError.
  ScratchInstall(const std::wstring& name, const std::wstring& program);

  const std::wstring& Folder() const { return m_folder; }
  const std::wstring& Program() const { return m_program; }
  // The layout file the program looks for at start (LayoutFileIn).
  std::wstring LayoutFile() const { return LayoutFileIn(m_folder); }

  // The layout file's bytes, nothing when it does not exist.
  std::optional<std::string> LayoutBytes() const;
  void WriteLayout(const std::string& bytes) const;
  void SetLayoutReadOnly(bool readOnly) const;
  bool LayoutReadOnly() const;
  void RemoveLayout() const;
  // How many files other than the program and its DLL the folder holds.
  int OtherFileCount() const;

 private:
  std::wstring m_folder;
  std::wstring m_program;
};

}  // namespace icotrace::e2e
