// The ANSI code page of a Western Windows (1252), as a table: the codec of the
// host builds, where there is no code page API.
#pragma once

#include "platform/ansi_codec.h"

namespace icotrace {

class Windows1252Codec final : public AnsiCodec {
 public:
  AnsiText ToAnsi(std::u16string_view text) const override;
  std::u16string FromAnsi(std::string_view bytes) const override;
};

}  // namespace icotrace
