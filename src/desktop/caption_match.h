// A caption as the control hands it back: a text buffer cut at its NUL.
#pragma once

#include <string>
#include <string_view>

namespace icotrace {

// The text before the first NUL character, or all of it when it holds none.
std::u16string CutAtNul(std::u16string_view text);

}  // namespace icotrace
