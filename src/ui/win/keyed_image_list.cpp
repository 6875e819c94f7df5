#include "ui/win/keyed_image_list.h"

#include <stdexcept>

namespace icotrace {

void KeyedImageList::Create(int size) {
  m_list.Reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 16));
  if (!m_list) throw std::runtime_error("ImageList_Create");
  m_indexes.clear();
}

int KeyedImageList::IndexOf(std::u16string_view key) const {
  const auto found = m_indexes.find(key);
  return found != m_indexes.end() ? found->second : -1;
}

int KeyedImageList::Add(std::u16string key, HICON icon) {
  const int index = ::ImageList_AddIcon(m_list.Get(), icon);
  if (index >= 0) m_indexes.emplace(std::move(key), index);
  return index;
}

}  // namespace icotrace
