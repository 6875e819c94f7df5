// The pictures of the demo desktop's items, drawn in code: kImageCount
// distinct icons at any size, with a mask and an alpha channel.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace icotrace::demo {

// A new image list of kImageCount pictures of size x size pixels; the caller
// destroys it.
HIMAGELIST CreateDemoImageList(int size);

}  // namespace icotrace::demo
