// A copy of Icotrace.exe and its InterprocessImageList.dll in a folder of the
// check's own, so that each scenario decides whether the layout file beside
// the program exists, what it holds and whether it is read-only.
#pragma once

#include <optional>
#include <string>

namespace icotrace::e2e {

class ScratchInstall {
 public:
  // <e2e folder>\scratch\<name>, emptied, with the program and its DLL (which
  // sit side by side in the build). Throws E2eError.
  ScratchInstall(const std::wstring& name, const std::wstring& program);

  const std::wstring& Folder() const { return m_folder; }
  const std::wstring& Program() const { return m_program; }
  // <folder>\<W>x<H>.ICOLAY for the screen as it is now.
  std::wstring LayoutFile() const;

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
