// Which layout file belongs to the screen as it is now, and whether a file is
// there.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/screen_metrics.h"

namespace icotrace {

// <program folder>\<W>x<H>.ICOLAY for the primary screen at the moment of the
// call: each of the four screen values rounded half to even, then width over
// twips per pixel, truncated. Throws CommandError when the screen values give
// no size (a zero divisor or a value beyond 32 bits).
std::u16string LayoutFileName(ScreenMetrics& screen, FileSystem& files);

// True only for an ordinary file; never throws. The path is looked up as it
// stands, wildcards included.
bool FileExists(FileSystem& files, std::u16string path) noexcept;

}  // namespace icotrace
