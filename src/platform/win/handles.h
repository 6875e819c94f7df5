// Owners of the Win32 handles the program and its library hold: one move-only
// owner per handle, released by the call that matches how it was made. A
// close never changes GetLastError, so an owner going out of scope cannot
// hide the error of the call that failed just before.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <wrl/client.h>

#include <utility>

namespace icotrace {

// The one owner of a COM reference.
using Microsoft::WRL::ComPtr;

// Runs close, leaving the thread's last error as it was.
template <typename Close>
void CloseKeepingError(Close&& close) {
  const DWORD error = ::GetLastError();
  close();
  ::SetLastError(error);
}

// Traits: Type, None (the empty value), IsValid(value), Close(value).
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : m_handle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Type Get() const { return m_handle; }
  explicit operator bool() const { return Traits::IsValid(m_handle); }
  // Gives the handle up without closing it.
  Type Release() { return std::exchange(m_handle, Traits::None); }
  void Reset(Type handle = Traits::None) {
    const Type old = std::exchange(m_handle, handle);
    if (Traits::IsValid(old)) CloseKeepingError([old] { Traits::Close(old); });
  }

 private:
  Type m_handle = Traits::None;
};

// How each kind of handle is given back.
enum class Closing {
  KernelObject,
  Find,
  MappedView,
  Hook,
  GdiObject,
  MemoryDc,
  Icon,
  Cursor,
  ImageList,
  LocalMemory,
  Library,
  RegistryKey
};

template <typename Handle, Closing How>
struct HandleTraits {
  using Type = Handle;
  static constexpr Type None = nullptr;
  static bool IsValid(Type handle) {
    // Some kernel calls fail with null, others (files, searches) with
    // INVALID_HANDLE_VALUE; neither is a handle to close.
    if constexpr (How == Closing::KernelObject || How == Closing::Find)
      return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    else
      return handle != nullptr;
  }
  static void Close(Type handle) {
    if constexpr (How == Closing::KernelObject)
      ::CloseHandle(handle);
    else if constexpr (How == Closing::Find)
      ::FindClose(handle);
    else if constexpr (How == Closing::MappedView)
      ::UnmapViewOfFile(handle);
    else if constexpr (How == Closing::Hook)
      ::UnhookWindowsHookEx(handle);
    else if constexpr (How == Closing::GdiObject)
      ::DeleteObject(handle);
    else if constexpr (How == Closing::MemoryDc)
      ::DeleteDC(handle);
    else if constexpr (How == Closing::Icon)
      ::DestroyIcon(handle);
    else if constexpr (How == Closing::Cursor)
      ::DestroyCursor(handle);
    else if constexpr (How == Closing::ImageList)
      ::ImageList_Destroy(handle);
    else if constexpr (How == Closing::LocalMemory)
      ::LocalFree(handle);
    else if constexpr (How == Closing::Library)
      ::FreeLibrary(handle);
    else
      ::RegCloseKey(handle);
  }
};

using UniqueKernelHandle = UniqueHandle<HandleTraits<HANDLE, Closing::KernelObject>>;
using UniqueFind = UniqueHandle<HandleTraits<HANDLE, Closing::Find>>;
// A view of a file mapping, by its base address.
using UniqueMappedView = UniqueHandle<HandleTraits<void*, Closing::MappedView>>;
using UniqueHook = UniqueHandle<HandleTraits<HHOOK, Closing::Hook>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, Closing::GdiObject>>;
using UniqueFont = UniqueHandle<HandleTraits<HFONT, Closing::GdiObject>>;
using UniqueBrush = UniqueHandle<HandleTraits<HBRUSH, Closing::GdiObject>>;
using UniquePen = UniqueHandle<HandleTraits<HPEN, Closing::GdiObject>>;
// A device context of CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HandleTraits<HDC, Closing::MemoryDc>>;
using UniqueIcon = UniqueHandle<HandleTraits<HICON, Closing::Icon>>;
using UniqueCursor = UniqueHandle<HandleTraits<HCURSOR, Closing::Cursor>>;
using UniqueImageList = UniqueHandle<HandleTraits<HIMAGELIST, Closing::ImageList>>;
// Memory that a call allocated with LocalAlloc for us (FormatMessage, ...).
using UniqueLocal = UniqueHandle<HandleTraits<HLOCAL, Closing::LocalMemory>>;
using UniqueLibrary = UniqueHandle<HandleTraits<HMODULE, Closing::Library>>;
using UniqueRegistryKey = UniqueHandle<HandleTraits<HKEY, Closing::RegistryKey>>;

// A device context of GetDC, given back to the window it came from (null:
// the screen).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
  WindowDc(WindowDc&& other) noexcept
      : m_window(other.m_window), m_dc(std::exchange(other.m_dc, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Reset();
      m_window = other.m_window;
      m_dc = std::exchange(other.m_dc, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() { Reset(); }

  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }
  void Reset() {
    const HDC dc = std::exchange(m_dc, nullptr);
    if (dc != nullptr) CloseKeepingError([this, dc] { ::ReleaseDC(m_window, dc); });
  }

 private:
  HWND m_window;
  HDC m_dc;
};

// The colour and mask bitmaps that GetIconInfo hands over, owned; both
// empty when it fails.
struct IconBitmaps {
  UniqueBitmap Colour;
  UniqueBitmap Mask;
};
inline IconBitmaps IconBitmapsOf(HICON icon) {
  ICONINFO parts{};
  if (icon == nullptr || !::GetIconInfo(icon, &parts)) return {};
  return {UniqueBitmap(parts.hbmColor), UniqueBitmap(parts.hbmMask)};
}

// Puts an object into a device context for one scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(m_dc, m_old); }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace icotrace
