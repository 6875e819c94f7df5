// --exit-after and --hang-after: the shell going away or hanging in the
// middle of another program's work on the desktop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace icotrace::demo {

class ItemMessageFault {
 public:
  ItemMessageFault(std::optional<std::uint32_t> exitAfter, std::optional<std::uint32_t> hangAfter)
      : m_exitAfter(exitAfter), m_hangAfter(hangAfter) {}

  // Sees every message of the list view before the control does, but for
  // the demo desktop's own work. Past the limit it does not return: the
  // process ends, or stops answering.
  void Observe(UINT message);

 private:
  std::optional<std::uint32_t> m_exitAfter;
  std::optional<std::uint32_t> m_hangAfter;
  std::uint32_t m_seen = 0;
};

}  // namespace icotrace::demo
