#include "process_memory.h"

#include <psapi.h>

#include <cstdio>

#include "platform/win/handles.h"

namespace icotrace::e2e {

std::optional<MemoryUse> MemoryOf(DWORD processId) {
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return std::nullopt;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL known = ::GetProcessMemoryInfo(process.Get(), &counters, sizeof counters);
  // A system that keeps no account answers with zeros.
  if (!known || counters.PeakWorkingSetSize == 0) return std::nullopt;
  return MemoryUse{counters.WorkingSetSize, counters.PeakWorkingSetSize,
                   counters.PeakPagefileUsage};
}

std::string Megabytes(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}

}  // namespace icotrace::e2e
