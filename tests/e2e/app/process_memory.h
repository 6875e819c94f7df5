// How much memory another process holds, read from outside as a task
// manager reads it: no help from the process itself.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace icotrace::e2e {

struct MemoryUse {
  std::size_t WorkingSet = 0;
  std::size_t PeakWorkingSet = 0;
  std::size_t PeakPrivate = 0;  // the peak of committed private memory
};

// Nothing when the process cannot be opened or the system does not tell.
std::optional<MemoryUse> MemoryOf(DWORD processId);

// "12.3 MB"
std::string Megabytes(std::size_t bytes);

}  // namespace icotrace::e2e
