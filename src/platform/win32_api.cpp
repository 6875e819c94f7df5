#include "platform/win32_api.h"

#include <windows.h>

#include <cstring>

#include "platform/win/process_machine.h"
#include "platform/win32_keep_responsive.h"

namespace icotrace {
namespace {

HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
}
WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<UINT_PTR>(window);
}
HANDLE ToHandle(KernelHandle handle) {
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
}
KernelHandle FromHandle(HANDLE handle) {
  return reinterpret_cast<UINT_PTR>(handle);
}
void* ToPointer(RemoteAddress address) {
  return reinterpret_cast<void*>(static_cast<UINT_PTR>(address));
}
RemoteAddress FromPointer(const void* address) {
  return reinterpret_cast<UINT_PTR>(address);
}

// EnumDisplayMonitors' callback (a lambda has no stdcall form on x86).
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back(
      {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

}  // namespace

WindowHandle Win32Api::FindWindowA(const char* className) {
  return FromHwnd(::FindWindowA(className, nullptr));
}

WindowHandle Win32Api::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                     const char* className) {
  return FromHwnd(::FindWindowExA(ToHwnd(parent), ToHwnd(childAfter), className, nullptr));
}

std::string Win32Api::GetClassNameA(WindowHandle window) {
  char name[256] = {};
  const int length = ::GetClassNameA(ToHwnd(window), name, static_cast<int>(sizeof name));
  return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::uint32_t Win32Api::GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) {
  DWORD pid = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &pid);
  if (processId != nullptr) *processId = pid;
  return thread;
}

std::optional<std::int64_t> Win32Api::SendMessageTimeoutW(WindowHandle window, std::uint32_t msg,
                                                          std::uint64_t wParam,
                                                          std::int64_t lParam) {
  KeepResponsive();
  DWORD_PTR result = 0;
  // The error read after a failure is this call's own, or none.
  ::SetLastError(ERROR_SUCCESS);
  const LRESULT answered = ::SendMessageTimeoutW(
      ToHwnd(window), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
      SMTO_ABORTIFHUNG | SMTO_BLOCK, kMessageTimeoutMs, &result);
  if (answered == 0) return std::nullopt;
  // The control's results are signed (an index or -1).
  return static_cast<std::int64_t>(static_cast<LRESULT>(result));
}

bool Win32Api::PostMessageW(WindowHandle window, std::uint32_t msg, std::uint64_t wParam,
                            std::int64_t lParam) {
  ::SetLastError(ERROR_SUCCESS);
  return ::PostMessageW(ToHwnd(window), msg, static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam)) != FALSE;
}

std::uint32_t Win32Api::GetWindowStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

void Win32Api::RedrawWindow(WindowHandle window, std::uint32_t flags) {
  ::RedrawWindow(ToHwnd(window), nullptr, nullptr, flags);
}

bool Win32Api::ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) {
  POINT point{x, y};
  if (!::ClientToScreen(ToHwnd(window), &point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

std::vector<Rect> Win32Api::EnumDisplayMonitors() {
  std::vector<Rect> monitors;
  if (!::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors))) {
    monitors.clear();
  }
  return monitors;
}

std::string Win32Api::LCMapStringW(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* source = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = ::LCMapStringW(LOCALE_USER_DEFAULT, kFlags, source, length, nullptr, 0);
  if (size <= 0) {  // not for any text: then only the very same text matches
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  }
  std::string key(static_cast<std::size_t>(size), '\0');
  // A sort key is bytes, written through the wide-character pointer.
  ::LCMapStringW(LOCALE_USER_DEFAULT, kFlags, source, length,
                 reinterpret_cast<wchar_t*>(key.data()), size);
  return key;
}

std::uint32_t Win32Api::GetLastError() {
  return ::GetLastError();
}

std::uint64_t Win32Api::GetTickCount64() {
  return ::GetTickCount64();
}

void Win32Api::Sleep(std::uint32_t milliseconds) {
  KeepResponsive();
  ::Sleep(milliseconds);
}

bool Win32Api::GetVersionExA(OsVersionInfoA& info) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = info.dwOSVersionInfoSize;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // still the one call that names the family
#endif
  const BOOL ok = ::GetVersionExA(&version);
  info.dwPlatformId = version.dwPlatformId;
  return ok != FALSE;
}

bool Win32Api::RtlGetVersion(OsVersionNumbers& version) {
  // Not in the import libraries of every toolchain: taken from ntdll, which
  // every process has loaded.
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return false;
  const auto call = reinterpret_cast<RtlGetVersionCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "RtlGetVersion")));
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (call == nullptr || call(&info) != 0) return false;
  version = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  return true;
}

KernelHandle Win32Api::OpenProcess(std::uint32_t access, bool inheritHandle,
                                   std::uint32_t processId) {
  ::SetLastError(ERROR_SUCCESS);
  return FromHandle(::OpenProcess(access, inheritHandle ? TRUE : FALSE, processId));
}

KernelHandle Win32Api::GetCurrentProcess() {
  return FromHandle(::GetCurrentProcess());
}

bool Win32Api::IsWow64Process(KernelHandle process) {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(ToHandle(process), &wow64) != FALSE && wow64 != FALSE;
}

std::uint16_t Win32Api::ProcessMachine(KernelHandle process) {
  return icotrace::ProcessMachine(ToHandle(process));
}

unsigned Win32Api::ProgramPointerBits() {
  return sizeof(void*) * 8;
}

RemoteAddress Win32Api::VirtualAllocEx(KernelHandle process, std::size_t size,
                                       std::uint32_t allocationType, std::uint32_t protect) {
  return FromPointer(::VirtualAllocEx(ToHandle(process), nullptr, size, allocationType, protect));
}

bool Win32Api::VirtualFreeEx(KernelHandle process, RemoteAddress address, std::size_t size,
                             std::uint32_t freeType) {
  return ::VirtualFreeEx(ToHandle(process), ToPointer(address), size, freeType) != FALSE;
}

bool Win32Api::WriteProcessMemory(KernelHandle process, RemoteAddress address, const void* data,
                                  std::size_t size) {
  SIZE_T written = 0;
  return ::WriteProcessMemory(ToHandle(process), ToPointer(address), data, size, &written) !=
             FALSE &&
         written == size;
}

bool Win32Api::ReadProcessMemory(KernelHandle process, RemoteAddress address, void* data,
                                 std::size_t size) {
  SIZE_T read = 0;
  return ::ReadProcessMemory(ToHandle(process), ToPointer(address), data, size, &read) != FALSE &&
         read == size;
}

bool Win32Api::CloseHandle(KernelHandle handle) {
  return ::CloseHandle(ToHandle(handle)) != FALSE;
}

KernelHandle Win32Api::CreateFileMappingA(std::uint32_t protect, std::uint32_t sizeHigh,
                                          std::uint32_t sizeLow) {
  return FromHandle(
      ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, protect, sizeHigh, sizeLow, nullptr));
}

RemoteAddress Win32Api::MapViewOfFile(KernelHandle mapping, std::uint32_t desiredAccess) {
  return FromPointer(::MapViewOfFile(ToHandle(mapping), desiredAccess, 0, 0, 0));
}

bool Win32Api::UnmapViewOfFile(RemoteAddress view) {
  return ::UnmapViewOfFile(ToPointer(view)) != FALSE;
}

void Win32Api::MoveMemoryToView(RemoteAddress destination, const void* source, std::size_t size) {
  std::memmove(ToPointer(destination), source, size);
}

void Win32Api::MoveMemoryFromView(void* destination, RemoteAddress source, std::size_t size) {
  std::memmove(destination, ToPointer(source), size);
}

}  // namespace icotrace
