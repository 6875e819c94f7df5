// The machine a process's code is built for, emulated or not. IsWow64Process
// says FALSE both for an x64 program that Windows 11 on Arm emulates and for
// that system's own Arm64 processes; only these later calls tell the two
// apart. Both are taken by name: the program runs on Windows 7 too.
#pragma once

#include <windows.h>

namespace icotrace {

// IMAGE_FILE_MACHINE_*, or IMAGE_FILE_MACHINE_UNKNOWN when the system cannot
// tell (before Windows 10 1709) or the question fails. process needs
// PROCESS_QUERY_LIMITED_INFORMATION.
inline USHORT ProcessMachine(HANDLE process) {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return IMAGE_FILE_MACHINE_UNKNOWN;
  // Windows 11: the machine itself, the emulated one included.
  struct MachineInformation {  // PROCESS_MACHINE_INFORMATION
    USHORT ProcessMachine;
    USHORT Reserved;
    DWORD MachineAttributes;
  };
  constexpr int kProcessMachineTypeInfo = 9;
  using GetInformation = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
  if (const auto get = reinterpret_cast<GetInformation>(
          reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "GetProcessInformation")))) {
    MachineInformation information{};
    if (get(process, kProcessMachineTypeInfo, &information, sizeof information) &&
        information.ProcessMachine != IMAGE_FILE_MACHINE_UNKNOWN) {
      return information.ProcessMachine;
    }
  }
  // Windows 10: the guest machine under WOW64, the system's own otherwise
  // (Windows 10 on Arm emulates no x64 program).
  using IsWow64Process2Call = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  if (const auto wow64 = reinterpret_cast<IsWow64Process2Call>(
          reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "IsWow64Process2")))) {
    USHORT guest = IMAGE_FILE_MACHINE_UNKNOWN;
    USHORT native = IMAGE_FILE_MACHINE_UNKNOWN;
    if (wow64(process, &guest, &native))
      return guest != IMAGE_FILE_MACHINE_UNKNOWN ? guest : native;
  }
  return IMAGE_FILE_MACHINE_UNKNOWN;
}

}  // namespace icotrace
