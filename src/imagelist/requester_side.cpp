// What runs in Icotrace's process: the exchange block, the hook on the list
// view's thread, and the icon built from the pixels the hook hands back.
#include <cstring>
#include <vector>

#include "imagelist/block_security.h"
#include "imagelist/hook_side.h"
#include "imagelist/icon_exchange.h"
#include "imagelist/interprocess_image_list.h"
#include "imagelist/shell_process.h"
#include "imagelist/top_down_dib.h"

namespace icotrace::imagelist {

HMODULE g_module = nullptr;  // this DLL, set when it is loaded

namespace {

namespace ix = icon_exchange;

// How long the shell may take to answer one request.
constexpr UINT kRequestTimeoutMs = 5000;

struct Machinery {
  HHOOK hook = nullptr;
  DWORD hookedThread = 0;
  HANDLE mapping = nullptr;
  std::uint8_t* block = nullptr;
  std::uint32_t serial = 0;
};
Machinery g_machinery;

bool EnsureBlock(const ShellProcess& shell) {
  if (g_machinery.block != nullptr) return true;
  const std::u16string name = ix::BlockName(::GetCurrentProcessId());
  BlockSecurity security(OurUserSid(), shell.UserSid());
  g_machinery.mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, security.Attributes(),
                                             PAGE_READWRITE, 0, static_cast<DWORD>(ix::kBlockBytes),
                                             reinterpret_cast<const wchar_t*>(name.c_str()));
  if (g_machinery.mapping == nullptr) return false;
  g_machinery.block = static_cast<std::uint8_t*>(
      ::MapViewOfFile(g_machinery.mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, ix::kBlockBytes));
  if (g_machinery.block != nullptr) return true;
  ::CloseHandle(g_machinery.mapping);
  g_machinery.mapping = nullptr;
  return false;
}

bool EnsureHook(DWORD thread) {
  if (g_machinery.hook != nullptr && g_machinery.hookedThread == thread) return true;
  if (g_machinery.hook != nullptr) ::UnhookWindowsHookEx(g_machinery.hook);
  g_machinery.hook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, g_module, thread);
  g_machinery.hookedThread = g_machinery.hook != nullptr ? thread : 0;
  return g_machinery.hook != nullptr;
}

HBITMAP ColourBitmap(const std::uint8_t* pixels, int width, int height) {
  const BITMAPINFO info = TopDownDib(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * 4);
  return bitmap;
}

HICON BuildIcon(const std::uint8_t* block, int width, int height) {
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> colour(block + ix::kColourOffset,
                                   block + ix::kColourOffset + pixels * 4);
  const std::uint8_t* mask = block + ix::kMaskOffset;
  if (ix::AlphaIsEmpty(colour.data(), width, height)) {
    ix::AlphaFromMask(colour.data(), mask, width, height);
  }
  const std::vector<std::uint8_t> maskRows = ix::PackMask(mask, width, height);
  ICONINFO parts{};
  parts.fIcon = TRUE;
  parts.hbmColor = ColourBitmap(colour.data(), width, height);
  parts.hbmMask = ::CreateBitmap(width, height, 1, 1, maskRows.data());
  HICON icon = nullptr;
  if (parts.hbmColor != nullptr && parts.hbmMask != nullptr) icon = ::CreateIconIndirect(&parts);
  if (parts.hbmColor != nullptr) ::DeleteObject(parts.hbmColor);
  if (parts.hbmMask != nullptr) ::DeleteObject(parts.hbmMask);
  return icon;
}

HICON FetchIcon(HWND listView, HIMAGELIST imageList, int index) {
  DWORD shell = 0;
  const DWORD thread = ::GetWindowThreadProcessId(listView, &shell);
  if (thread == 0) return nullptr;
  const ShellProcess process(shell);
  if (!process.SharesOurPointerWidth() || !EnsureBlock(process) || !EnsureHook(thread)) {
    return nullptr;
  }
  const std::uint32_t serial = ++g_machinery.serial;
  ix::WriteRequest(
      g_machinery.block,
      {static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(imageList)), index, serial});
  DWORD_PTR ignored = 0;
  if (::SendMessageTimeoutW(listView, IconRequestMessage(), ::GetCurrentProcessId(), 0,
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, kRequestTimeoutMs, &ignored) == 0) {
    return nullptr;
  }
  const ix::Reply reply = ix::ReadReply(g_machinery.block);
  if (!ix::ReplyUsable(reply, serial)) return nullptr;
  return BuildIcon(g_machinery.block, reply.width, reply.height);
}

}  // namespace

void ReleaseMachinery() {
  if (g_machinery.hook != nullptr) ::UnhookWindowsHookEx(g_machinery.hook);
  if (g_machinery.block != nullptr) ::UnmapViewOfFile(g_machinery.block);
  if (g_machinery.mapping != nullptr) ::CloseHandle(g_machinery.mapping);
  const std::uint32_t serial = g_machinery.serial;
  g_machinery = Machinery{};
  g_machinery.serial = serial;  // a late reply to an old request is never taken for a new one
}

}  // namespace icotrace::imagelist

extern "C" HICON WINAPI GetIcon(HWND listView, HIMAGELIST imageList, int index) {
  try {
    return icotrace::imagelist::FetchIcon(listView, imageList, index);
  } catch (...) {
    return nullptr;
  }
}

extern "C" BOOL WINAPI UninstallHook(void) {
  icotrace::imagelist::ReleaseMachinery();
  return TRUE;
}
