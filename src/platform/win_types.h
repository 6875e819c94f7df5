// Plain-integer stand-ins for the Windows handle and address types, so that
// the logic behind the platform seam compiles and is tested on any host.
#pragma once

#include <cstdint>

namespace icotrace {

using WindowHandle = std::uint64_t;   // an HWND's value; 0 is null
using KernelHandle = std::uint64_t;   // a HANDLE's value; 0 is null
using RemoteAddress = std::uint64_t;  // an address as the desktop control sees it; 0 is null

// INVALID_HANDLE_VALUE as some kernel calls return it.
inline constexpr KernelHandle kInvalidKernelHandle = ~KernelHandle{0};

// The fields of OSVERSIONINFOA that the family test fills and reads.
struct OsVersionInfoA {
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwPlatformId = 0;
};

}  // namespace icotrace
