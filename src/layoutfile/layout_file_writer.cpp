#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "layoutfile/layout_file.h"
#include "layoutfile/layout_line.h"
#include "layoutfile/safe_file_write.h"
#include "layoutfile/utf8_codec.h"

namespace icotrace {
namespace {

struct EncodedLayout {
  std::string bytes;
  std::vector<std::u16string> inexactNames;  // each once
  bool encodingShort = false;                // the codec lost characters of a caption
};

EncodedLayout Encode(const AnsiCodec& codec, std::string_view head, const Layout& layout) {
  EncodedLayout encoded;
  encoded.bytes.assign(head);
  std::unordered_set<std::u16string> reported;
  for (const DesktopIcon& icon : layout) {
    const CaptionLoss loss = AppendLayoutLine(codec, icon, encoded.bytes);
    encoded.encodingShort = encoded.encodingShort || loss.encoding;
    if (loss.Any() && reported.insert(icon.Name).second) encoded.inexactNames.push_back(icon.Name);
  }
  return encoded;
}

}  // namespace

SaveReport SaveLayoutFile(FileSystem& files, const AnsiCodec& codec, const std::u16string& path,
                          const Layout& layout) {
  EncodedLayout file = Encode(codec, {}, layout);
  // The code page as long as it holds every caption, so that older copies
  // of the program read the file; UTF-8 otherwise, and for a file that would
  // start with the mark's bytes, which the reader takes for the mark.
  if (file.encodingShort || file.bytes.starts_with(kUtf8Mark)) {
    file = Encode(Utf8Codec(), kUtf8Mark, layout);
  }
  WriteFileSafely(files, path, file.bytes);
  return {std::move(file.inexactNames)};
}

}  // namespace icotrace
