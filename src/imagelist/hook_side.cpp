#include "imagelist/hook_side.h"

#include <commctrl.h>

#include "imagelist/icon_exchange.h"
#include "imagelist/top_down_dib.h"
#include "platform/win/handles.h"

namespace icotrace::imagelist {
namespace {

namespace ix = icon_exchange;

// Only an image list the list view itself holds is ever touched: any other
// value could be a stale or hostile pointer.
bool HeldByListView(HWND listView, HIMAGELIST list) {
  for (const WPARAM which : {LVSIL_SMALL, LVSIL_NORMAL, LVSIL_STATE}) {
    if (reinterpret_cast<HIMAGELIST>(::SendMessageW(listView, LVM_GETIMAGELIST, which, 0)) ==
        list) {
      return true;
    }
  }
  return false;
}

// 32-bit top-down pixels of a bitmap, or false.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::uint8_t* into) {
  BITMAPINFO info = TopDownDib(width, height);
  const WindowDc screen(nullptr);
  return ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), into, &info,
                     DIB_RGB_COLORS) == height;
}

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
  BITMAP described{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof described, &described) == 0) return false;
  width = described.bmWidth;
  height = described.bmHeight;
  return true;
}

// Draws the image as an icon and copies its colour and mask into the block.
ix::Status DrawInto(std::uint8_t* block, HIMAGELIST list, int index, int width, int height) {
  const UniqueIcon icon(::ImageList_GetIcon(list, index, ILD_TRANSPARENT));
  const IconBitmaps parts = IconBitmapsOf(icon.Get());
  int colourWidth = 0, colourHeight = 0, maskWidth = 0, maskHeight = 0;
  std::uint8_t* colour = block + ix::kColourOffset;
  std::uint8_t* mask = block + ix::kMaskOffset;
  if (!BitmapSize(parts.Colour.Get(), colourWidth, colourHeight) ||
      !BitmapSize(parts.Mask.Get(), maskWidth, maskHeight) || colourWidth != width ||
      colourHeight != height || maskWidth != width || maskHeight != height ||
      // The mask first, through the colour area, which the colour then takes.
      !ReadPixels(parts.Mask.Get(), width, height, colour)) {
    return ix::Status::Failed;
  }
  const int pixels = width * height;
  for (int i = 0; i < pixels; ++i) mask[i] = colour[i * 4] != 0 ? 1 : 0;
  return ReadPixels(parts.Colour.Get(), width, height, colour) ? ix::Status::Done
                                                               : ix::Status::Failed;
}

// A request names the list view the hook was set for; through any other
// window of the thread it is none of ours and stays unanswered.
void Serve(std::uint8_t* block, HWND listView) {
  const ix::Request request = ix::ReadRequest(block);
  if (request.listView != static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(listView))) return;
  ix::Reply reply{ix::Status::Refused, 0, 0, request.serial};
  const auto list = reinterpret_cast<HIMAGELIST>(static_cast<UINT_PTR>(request.imageList));
  int width = 0, height = 0;
  if (list != nullptr && HeldByListView(listView, list) && request.index >= 0 &&
      request.index < ::ImageList_GetImageCount(list) &&
      ::ImageList_GetIconSize(list, &width, &height) && ix::SizeFits(width, height)) {
    reply.status = DrawInto(block, list, request.index, width, height);
    reply.width = width;
    reply.height = height;
  }
  ix::WriteReply(block, reply);
}

void ServeRequester(HWND listView, DWORD requester) {
  const std::u16string name = ix::BlockName(requester);
  const UniqueKernelHandle mapping(::OpenFileMappingW(
      FILE_MAP_READ | FILE_MAP_WRITE, FALSE, reinterpret_cast<const wchar_t*>(name.c_str())));
  if (!mapping) return;
  const UniqueMappedView view(
      ::MapViewOfFile(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, ix::kBlockBytes));
  if (view) Serve(static_cast<std::uint8_t*>(view.Get()), listView);
}

// The hook acts for a window of the thread it runs on, in its process: the
// list view's own thread in the shell. Run anywhere else (back in a waiting
// requester, as Windows does when the bitnesses differ) it does nothing, and
// the list view is never asked across threads from inside a hook.
bool WindowOfThisThread(HWND window) {
  DWORD process = 0;
  return window != nullptr &&
         ::GetWindowThreadProcessId(window, &process) == ::GetCurrentThreadId() &&
         process == ::GetCurrentProcessId();
}

}  // namespace

UINT IconRequestMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"IcotraceIconRequest");
  return message;
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && lParam != 0) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == IconRequestMessage() && call->wParam != 0 &&
        WindowOfThisThread(call->hwnd)) {
      try {
        ServeRequester(call->hwnd, static_cast<DWORD>(call->wParam));
      } catch (...) {
        // Nothing may escape into the shell; the requester sees no reply.
      }
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace icotrace::imagelist
