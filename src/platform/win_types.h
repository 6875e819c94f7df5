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

// The fields of RTL_OSVERSIONINFOW that tell the system's version as it is,
// whatever the program's manifest claims.
struct OsVersionNumbers {
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
};

// A rectangle in screen or client coordinates, right and bottom excluded.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

}  // namespace icotrace

// The values that cross the seam with the calls of WinApi, as Windows defines
// them.
namespace icotrace::win {

inline constexpr std::uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT
inline constexpr std::uint32_t kOsVersionInfoASize = 148;

// PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, and the right
// to ask the process's bitness.
inline constexpr std::uint32_t kProcessVmAccess = 56;
inline constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;

inline constexpr std::uint32_t kMemCommitReserve = 0x3000;
inline constexpr std::uint32_t kMemRelease = 0x8000;
inline constexpr std::uint32_t kPageReadWrite = 4;
inline constexpr std::uint32_t kFileMapAllAccess = 0xF001F;
inline constexpr std::uint32_t kRdwInvalidate = 1;
inline constexpr std::uint32_t kRdwErase = 4;
inline constexpr std::uint32_t kWsVisible = 0x10000000;  // WS_VISIBLE
inline constexpr std::uint32_t kSetRedraw = 0x000B;      // WM_SETREDRAW
// IMAGE_FILE_MACHINE_*: what a process's code is built for.
inline constexpr std::uint16_t kMachineUnknown = 0;
inline constexpr std::uint16_t kMachineI386 = 0x014C;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;
inline constexpr std::uint16_t kMachineArm64 = 0xAA64;

// What a message or an open refused by the system's integrity levels leaves
// as the last error: an elevated shell shuts out a program that is not.
inline constexpr std::uint32_t kErrorAccessDenied = 5;  // ERROR_ACCESS_DENIED

}  // namespace icotrace::win
