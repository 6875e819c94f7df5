// The one place where text crosses between UTF-16 and the system ANSI code
// page. Encoding tells whether every character was held exactly (no best-fit
// substitutes).
#pragma once

#include <string>
#include <string_view>

namespace icotrace {

struct AnsiText {
  std::string bytes;
  bool lossless = true;
};

class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  virtual AnsiText ToAnsi(std::u16string_view text) const = 0;
  virtual std::u16string FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace icotrace
