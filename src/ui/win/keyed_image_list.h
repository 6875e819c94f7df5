// ImageList1: the small pictures of the list, each under a text key. The
// pictures are never removed or replaced while the window lives.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/win/handles.h"

namespace icotrace {

class KeyedImageList {
 public:
  // An empty list of 32-bit pictures with masks, size pixels square.
  void Create(int size);
  HIMAGELIST Handle() const { return m_list.Get(); }

  // The index of the picture under key, or -1 when there is none.
  int IndexOf(std::u16string_view key) const;
  // Adds a copy of icon under key and returns its index, or -1 when the list
  // refused it. The icon stays the caller's.
  int Add(std::u16string key, HICON icon);

 private:
  UniqueImageList m_list;
  std::map<std::u16string, int, std::less<>> m_indexes;
};

}  // namespace icotrace
