#include "layoutfile/layout_file_name.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/command_error.h"
#include "core/decimal_text.h"
#include "layoutfile/layout_file_messages.h"

namespace icotrace {
namespace {

// Nearest integer, halves to the even neighbour, whatever the FPU's rounding
// mode; nothing when the result leaves the signed 32-bit range.
std::optional<std::int32_t> RoundHalfEven(float value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double v = value;
  const double below = std::floor(v);
  const double fraction = v - below;
  double rounded = fraction < 0.5 ? below : below + 1;
  if (fraction == 0.5 && std::fmod(below, 2.0) == 0) rounded = below;
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

// Truncating division, refused where it has no 32-bit answer.
std::optional<std::int32_t> Pixels(float twips, float twipsPerPixel) {
  const auto total = RoundHalfEven(twips);
  const auto divisor = RoundHalfEven(twipsPerPixel);
  if (!total || !divisor || *divisor == 0) return std::nullopt;
  if (*total == std::numeric_limits<std::int32_t>::min() && *divisor == -1) return std::nullopt;
  return *total / *divisor;
}

}  // namespace

std::u16string LayoutFileName(ScreenMetrics& screen, FileSystem& files) {
  const ScreenTwips twips = screen.PrimaryScreen();
  const auto width = Pixels(twips.width, twips.twipsPerPixelX);
  const auto height = Pixels(twips.height, twips.twipsPerPixelY);
  if (!width || !height) throw CommandError(messages::kScreenSizeUnknown);
  return files.ProgramFolder() + u"\\" + DecimalText(*width) + u"x" + DecimalText(*height) +
         u".ICOLAY";
}

bool FileExists(FileSystem& files, std::u16string path) noexcept {
  try {
    return !files.FindFirstOrdinaryFile(path).empty();
  } catch (...) {
    return false;  // a drive not ready, a folder missing, a rejected path: no file
  }
}

}  // namespace icotrace
