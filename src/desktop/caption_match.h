// Captions compare as the desktop control compares them: the whole caption,
// without regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace icotrace {

// A key equal for two captions exactly when they match without regard to
// case (simple one-to-one upper-casing of the common alphabets).
std::u16string CaptionKey(std::u16string_view caption);

// The text before the first NUL character, or all of it when it holds none.
std::u16string CutAtNul(std::u16string_view text);

}  // namespace icotrace
