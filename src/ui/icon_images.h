// The icon pictures of the list: ImageList1, the cache of the desktop's own
// icons, one picture per desktop image index, kept under its key.
#pragma once

#include <cstdint>
#include <string>

namespace icotrace {

// "K" followed by the decimal index: K0, K12.
std::u16string ImageKey(std::int32_t image);

class IconImageCache {
 public:
  virtual ~IconImageCache() = default;

  // True when ImageList1 holds a picture under key. Never fails.
  virtual bool ImageKeyExists(const std::u16string& key) = 0;
  // Fetches the desktop's icon of that image index and stores its picture
  // under key; false when the icon could not be fetched or wrapped (nothing
  // is stored then).
  virtual bool AddDesktopIcon(const std::u16string& key, std::int32_t image) = 0;
  // Releases the fetching machinery in the shell.
  virtual void UninstallHook() = 0;
};

}  // namespace icotrace
