// Owners of the handles the windows create: one move-only owner per handle,
// released by the call that matches how it was made.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace icotrace {

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
  explicit operator bool() const { return m_handle != nullptr; }
  Type Release() { return std::exchange(m_handle, nullptr); }
  void Reset(Type handle = nullptr) {
    if (m_handle != nullptr) Traits::Close(m_handle);
    m_handle = handle;
  }

 private:
  Type m_handle = nullptr;
};

template <typename Handle>
struct GdiObjectTraits {
  using Type = Handle;
  static void Close(Type handle) { ::DeleteObject(handle); }
};
struct IconTraits {
  using Type = HICON;
  static void Close(Type handle) { ::DestroyIcon(handle); }
};
struct CursorTraits {
  using Type = HCURSOR;
  static void Close(Type handle) { ::DestroyCursor(handle); }
};
struct ImageListTraits {
  using Type = HIMAGELIST;
  static void Close(Type handle) { ::ImageList_Destroy(handle); }
};

using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;

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
