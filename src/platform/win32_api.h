// The real platform: forwards every operation of the seam to Windows.
#pragma once

#include "platform/win_api.h"

namespace icotrace {

class Win32Api final : public WinApi {
 public:
  // How long a message to the desktop may take before the shell counts as hung.
  static constexpr unsigned kMessageTimeoutMs = 5000;

  WindowHandle FindWindowA(const char* className) override;
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                             const char* className) override;
  std::string GetClassNameA(WindowHandle window) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) override;
  std::optional<std::int64_t> SendMessageTimeoutW(WindowHandle window, std::uint32_t msg,
                                                  std::uint64_t wParam,
                                                  std::int64_t lParam) override;
  bool PostMessageW(WindowHandle window, std::uint32_t msg, std::uint64_t wParam,
                    std::int64_t lParam) override;
  std::uint32_t GetWindowStyle(WindowHandle window) override;
  void RedrawWindow(WindowHandle window, std::uint32_t flags) override;
  bool ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) override;
  std::vector<Rect> EnumDisplayMonitors() override;

  std::string LCMapStringW(std::u16string_view text) override;
  std::uint32_t GetLastError() override;
  std::uint64_t GetTickCount64() override;
  void Sleep(std::uint32_t milliseconds) override;
  bool GetVersionExA(OsVersionInfoA& info) override;
  bool RtlGetVersion(OsVersionNumbers& version) override;
  KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle,
                           std::uint32_t processId) override;
  KernelHandle GetCurrentProcess() override;
  bool IsWow64Process(KernelHandle process) override;
  std::uint16_t ProcessMachine(KernelHandle process) override;
  unsigned ProgramPointerBits() override;
  RemoteAddress VirtualAllocEx(KernelHandle process, std::size_t size, std::uint32_t allocationType,
                               std::uint32_t protect) override;
  bool VirtualFreeEx(KernelHandle process, RemoteAddress address, std::size_t size,
                     std::uint32_t freeType) override;
  bool WriteProcessMemory(KernelHandle process, RemoteAddress address, const void* data,
                          std::size_t size) override;
  bool ReadProcessMemory(KernelHandle process, RemoteAddress address, void* data,
                         std::size_t size) override;
  bool CloseHandle(KernelHandle handle) override;
  KernelHandle CreateFileMappingA(std::uint32_t protect, std::uint32_t sizeHigh,
                                  std::uint32_t sizeLow) override;
  RemoteAddress MapViewOfFile(KernelHandle mapping, std::uint32_t desiredAccess) override;
  bool UnmapViewOfFile(RemoteAddress view) override;
  void MoveMemoryToView(RemoteAddress destination, const void* source, std::size_t size) override;
  void MoveMemoryFromView(void* destination, RemoteAddress source, std::size_t size) override;
};

}  // namespace icotrace
