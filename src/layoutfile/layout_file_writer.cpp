#include <string>
#include <unordered_set>

#include "layoutfile/layout_file.h"
#include "layoutfile/layout_line.h"
#include "layoutfile/safe_file_write.h"

namespace icotrace {

SaveReport SaveLayoutFile(FileSystem& files, const AnsiCodec& codec, const std::u16string& path,
                          const Layout& layout) {
  SaveReport report;
  std::unordered_set<std::u16string> reported;
  std::string bytes;
  for (const DesktopIcon& icon : layout) {
    if (!AppendLayoutLine(codec, icon, bytes) && reported.insert(icon.Name).second) {
      report.unconvertedNames.push_back(icon.Name);
    }
  }
  WriteFileSafely(files, path, bytes);
  return report;
}

}  // namespace icotrace
