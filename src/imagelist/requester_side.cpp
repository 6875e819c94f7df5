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
#include "platform/win/handles.h"

namespace icotrace::imagelist {

HMODULE g_module = nullptr;  // this DLL, set when it is loaded

namespace {

namespace ix = icon_exchange;

// How long the shell may take to answer one request.
constexpr UINT kRequestTimeoutMs = 5000;

// Released in this order (hook, view, mapping) by assigning an empty one.
struct Machinery {
  UniqueHook hook;
  DWORD hookedThread = 0;
  UniqueMappedView block;
  UniqueKernelHandle mapping;
  std::uint32_t serial = 0;
};
// Kept without a destructor: at the end of the process the system takes it
// all back, and user32 must not be called from a detaching library then. An
// unload while the process goes on releases it first (DllMain).
union KeptMachinery {
  KeptMachinery() : machinery() {}
  ~KeptMachinery() {}
  Machinery machinery;
};
KeptMachinery g_kept;
Machinery& g_machinery = g_kept.machinery;

std::uint8_t* Block() {
  return static_cast<std::uint8_t*>(g_machinery.block.Get());
}

bool EnsureBlock(const ShellProcess& shell) {
  if (g_machinery.block) return true;
  const std::u16string name = ix::BlockName(::GetCurrentProcessId());
  BlockSecurity security(OurUserSid(), shell.UserSid());
  UniqueKernelHandle mapping(::CreateFileMappingW(
      INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE, 0,
      static_cast<DWORD>(ix::kBlockBytes), reinterpret_cast<const wchar_t*>(name.c_str())));
  if (!mapping) return false;
  UniqueMappedView block(
      ::MapViewOfFile(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, ix::kBlockBytes));
  if (!block) return false;
  g_machinery.mapping = std::move(mapping);
  g_machinery.block = std::move(block);
  return true;
}

bool EnsureHook(DWORD thread) {
  if (g_machinery.hook && g_machinery.hookedThread == thread) return true;
  g_machinery.hook.Reset();
  g_machinery.hook.Reset(::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, g_module, thread));
  g_machinery.hookedThread = g_machinery.hook ? thread : 0;
  return static_cast<bool>(g_machinery.hook);
}

UniqueBitmap ColourBitmap(const std::uint8_t* pixels, int width, int height) {
  const BITMAPINFO info = TopDownDib(width, height);
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap) std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * 4);
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
  // The icon takes copies of both bitmaps.
  const UniqueBitmap colourBitmap = ColourBitmap(colour.data(), width, height);
  const UniqueBitmap maskBitmap(::CreateBitmap(width, height, 1, 1, maskRows.data()));
  if (!colourBitmap || !maskBitmap) return nullptr;
  ICONINFO parts{};
  parts.fIcon = TRUE;
  parts.hbmColor = colourBitmap.Get();
  parts.hbmMask = maskBitmap.Get();
  return ::CreateIconIndirect(&parts);
}

HICON FetchIcon(HWND listView, HIMAGELIST imageList, int index) {
  DWORD shell = 0;
  const DWORD thread = ::GetWindowThreadProcessId(listView, &shell);
  if (thread == 0) return nullptr;
  const ShellProcess process(shell);
  if (!process.SharesOurMachine() || !EnsureBlock(process) || !EnsureHook(thread)) {
    return nullptr;
  }
  const std::uint32_t serial = ++g_machinery.serial;
  ix::WriteRequest(
      Block(), {static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(imageList)), index, serial,
                static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(listView))});
  DWORD_PTR ignored = 0;
  if (::SendMessageTimeoutW(listView, IconRequestMessage(), ::GetCurrentProcessId(), 0,
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, kRequestTimeoutMs, &ignored) == 0) {
    return nullptr;
  }
  const ix::Reply reply = ix::ReadReply(Block());
  if (!ix::ReplyUsable(reply, serial)) return nullptr;
  return BuildIcon(Block(), reply.width, reply.height);
}

}  // namespace

void ReleaseMachinery() {
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
