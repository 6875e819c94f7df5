// Writing a whole layout to its file and reading it back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/desktop_icon.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"

namespace icotrace {

// A layout file is no larger than this and holds no more lines: a desktop
// has far fewer icons, and a file beyond these is not a layout.
inline constexpr std::size_t kMaxLayoutFileBytes = 64u << 20;
inline constexpr std::size_t kMaxLayoutEntries = 1'000'000;

struct SaveReport {
  // Captions written with substitutes (a line break, or a lone surrogate,
  // which not even UTF-8 holds): their icons will not be found by name.
  std::vector<std::u16string> unconvertedNames;
};

// Writes one line per entry, in order, then puts the new file in the old
// one's place in one step. The file is in the code page when that holds
// every caption, otherwise in UTF-8 after its byte order mark. Throws
// CommandError when it cannot; the previous file is then as it was and
// nothing else is left in the folder.
SaveReport SaveLayoutFile(FileSystem& files, const AnsiCodec& codec, const std::u16string& path,
                          const Layout& layout);

// Replaces layout by the file's entries plus one empty entry at the end.
// A file that starts with the UTF-8 byte order mark is read as UTF-8, any
// other in the code page. Blank lines (empty, or spaces and tabs only) are
// passed over; CR LF, LF and CR each end a line. Throws CommandError naming
// the file, and the line when one is at fault; layout is then as it was.
void LoadLayoutFile(FileSystem& files, const AnsiCodec& codec, const std::u16string& path,
                    Layout& layout);

}  // namespace icotrace
