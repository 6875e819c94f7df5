// The program folder as the layout file name wants it, from the program
// file's full path.
#pragma once

#include <string>
#include <string_view>

namespace icotrace {

// Everything before the last backslash; at the root of a drive ("C:") the
// separator is kept, so the folder reads "C:\".
inline std::u16string FolderOfProgramFile(std::u16string_view programPath) {
  const std::size_t slash = programPath.rfind(u'\\');
  if (slash == std::u16string_view::npos) return std::u16string();
  std::u16string folder(programPath.substr(0, slash));
  if (folder.size() == 2 && folder[1] == u':') folder += u'\\';
  return folder;
}

}  // namespace icotrace
