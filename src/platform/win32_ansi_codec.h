// The system ANSI code page through the code page API, without best-fit
// substitutes.
#pragma once

#include "platform/ansi_codec.h"

namespace icotrace {

class Win32AnsiCodec final : public AnsiCodec {
 public:
  AnsiText ToAnsi(std::u16string_view text) const override;
  std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace icotrace
