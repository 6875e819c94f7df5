// The whole screen as a 32-bit bitmap file: the screenshots of the checks on
// Windows, where no harness takes them.
#pragma once

#include <string>

namespace icotrace::e2e {

// False when the screen could not be copied or the file not written.
bool SaveScreenBitmap(const std::wstring& path);

}  // namespace icotrace::e2e
