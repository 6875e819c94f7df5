// UTF-8, the encoding of a layout file whose captions the code page cannot
// hold. Portable: it needs no code page API.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace icotrace {

// The byte order mark that starts a layout file written in UTF-8.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct Utf8Decoded {
  std::u16string text;                                // each invalid sequence stands as U+FFFD
  std::size_t firstInvalid = std::string_view::npos;  // byte offset, npos when all valid
};

// Strict: overlong forms, encoded surrogates, values beyond U+10FFFF and cut
// sequences are invalid.
Utf8Decoded DecodeUtf8(std::string_view bytes);

// Through the codec interface, so that a layout line is written the same way
// in either encoding. A lone surrogate has no UTF-8 form: it is written as
// U+FFFD and the text is not lossless.
class Utf8Codec final : public AnsiCodec {
 public:
  AnsiText ToAnsi(std::u16string_view text) const override;
  std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace icotrace
