// Writing a file so that a failure never costs the previous one.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace icotrace {

// Writes bytes to a new temporary file beside path, flushes it, then puts it
// in path's place in one step. On any failure the temporary file is removed,
// path is untouched, and a CommandError names path and the system's reason.
void WriteFileSafely(FileSystem& files, const std::u16string& path, std::string_view bytes);

}  // namespace icotrace
