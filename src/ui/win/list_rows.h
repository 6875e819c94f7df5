// The rows of ListView1 as a command puts them in: the report list itself,
// its drawing held back around a batch, and one row with its picture.
#pragma once

#include <windows.h>

#include "ui/main_window_view.h"
#include "ui/win/keyed_image_list.h"

namespace icotrace {

// A report-view list with the four columns of kListColumns (no widths yet),
// sharing its image lists: ImageList1 belongs to the window.
HWND CreateRowList(HWND parent, UINT_PTR id, HINSTANCE instance);
// The list at the place of ListView1 and its columns at their widths, for dpi.
void LayOutRowList(HWND list, UINT dpi);

// A list view that draws as the rows go in spends milliseconds on each
// (about 10 under Wine): thousands of rows would hold the window for minutes.
void HoldRowDrawing(HWND list);
void ReleaseRowDrawing(HWND list);

// Appends row with the picture of its key in images (none when the key is
// empty or unknown). Throws CommandError when the list takes no more rows.
void AppendRow(HWND list, const KeyedImageList& images, const ListRow& row);

}  // namespace icotrace
