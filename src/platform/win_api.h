// The seam: every Windows operation the desktop access needs, under its
// Windows name. Win32Api forwards to the real calls; the tests put a
// simulated shell behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace icotrace {

class WinApi {
 public:
  virtual ~WinApi() = default;

  // user32
  // The top-level window of that class (no window name), or 0.
  virtual WindowHandle FindWindowA(const char* className) = 0;
  // The first child of parent after childAfter whose class matches (any class
  // when className is null), or 0. A parent of 0 walks the top-level windows.
  virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                     const char* className) = 0;
  virtual std::string GetClassNameA(WindowHandle window) = 0;
  // Returns the thread id; processId receives the owning process id.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) = 0;
  // A synchronous message that gives up when the receiver hangs or is gone:
  // the message's result, or nothing when it was not answered.
  virtual std::optional<std::int64_t> SendMessageTimeoutW(WindowHandle window, std::uint32_t msg,
                                                          std::uint64_t wParam,
                                                          std::int64_t lParam) = 0;
  // Queued for the window's thread, behind what is already queued there; false
  // when the window is gone or its queue is full.
  virtual bool PostMessageW(WindowHandle window, std::uint32_t msg, std::uint64_t wParam,
                            std::int64_t lParam) = 0;
  // The window's style (GWL_STYLE), 0 when the window is gone.
  virtual std::uint32_t GetWindowStyle(WindowHandle window) = 0;
  // No rectangle and no region: the whole window (or the desktop for 0).
  virtual void RedrawWindow(WindowHandle window, std::uint32_t flags) = 0;
  // Client coordinates of window to the screen's; false when the window is
  // gone.
  virtual bool ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) = 0;
  // Every display monitor's rectangle in screen coordinates; empty when the
  // question fails.
  virtual std::vector<Rect> EnumDisplayMonitors() = 0;

  // kernel32
  // The sort key of text in the user's locale, letter case ignored
  // (LCMapStringW with LCMAP_SORTKEY | NORM_IGNORECASE): two texts have the
  // same key exactly when lstrcmpiW, the list view's own search, finds them
  // equal.
  virtual std::string LCMapStringW(std::u16string_view text) = 0;
  // The calling thread's last error, as the call just before left it.
  virtual std::uint32_t GetLastError() = 0;
  virtual std::uint64_t GetTickCount64() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual bool GetVersionExA(OsVersionInfoA& info) = 0;
  // ntdll's RtlGetVersion: the true version, which GetVersionEx hides from a
  // program whose manifest does not name the system.
  virtual bool RtlGetVersion(OsVersionNumbers& version) = 0;
  virtual KernelHandle OpenProcess(std::uint32_t access, bool inheritHandle,
                                   std::uint32_t processId) = 0;
  virtual KernelHandle GetCurrentProcess() = 0;
  // False when the process is not under WOW64, or when the question fails.
  virtual bool IsWow64Process(KernelHandle process) = 0;
  // The machine the process's code is built for (kMachine*), told apart from
  // the one that emulates it: an x64 program and the Arm64 shell of Windows
  // 11 on Arm are both "not WOW64". kMachineUnknown when the system cannot
  // tell.
  virtual std::uint16_t ProcessMachine(KernelHandle process) = 0;
  // 32 or 64: the pointer width this program was built for.
  virtual unsigned ProgramPointerBits() = 0;
  virtual RemoteAddress VirtualAllocEx(KernelHandle process, std::size_t size,
                                       std::uint32_t allocationType, std::uint32_t protect) = 0;
  virtual bool VirtualFreeEx(KernelHandle process, RemoteAddress address, std::size_t size,
                             std::uint32_t freeType) = 0;
  virtual bool WriteProcessMemory(KernelHandle process, RemoteAddress address, const void* data,
                                  std::size_t size) = 0;
  virtual bool ReadProcessMemory(KernelHandle process, RemoteAddress address, void* data,
                                 std::size_t size) = 0;
  virtual bool CloseHandle(KernelHandle handle) = 0;
  // An anonymous mapping backed by the paging file, no attributes, no name.
  virtual KernelHandle CreateFileMappingA(std::uint32_t protect, std::uint32_t sizeHigh,
                                          std::uint32_t sizeLow) = 0;
  // Offset 0, the whole mapping.
  virtual RemoteAddress MapViewOfFile(KernelHandle mapping, std::uint32_t desiredAccess) = 0;
  virtual bool UnmapViewOfFile(RemoteAddress view) = 0;
  // RtlMoveMemory into and out of a mapped view of this program.
  virtual void MoveMemoryToView(RemoteAddress destination, const void* source,
                                std::size_t size) = 0;
  virtual void MoveMemoryFromView(void* destination, RemoteAddress source, std::size_t size) = 0;
};

}  // namespace icotrace
