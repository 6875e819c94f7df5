// The demo desktop's own access to its list view, in its own process: fill
// it, read it back as the control holds it (the dump), move every item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "demo_items.h"

namespace icotrace::demo {

// With callbackText the captions stay with the caller, who answers the
// control's LVN_GETDISPINFO (CopyCaptionOnRequest).
void FillListView(HWND list, const std::vector<DemoItem>& items, bool callbackText);

// Wine's list view arranges its icons at its first paint with items, over
// any place set before: has that paint happen (into a memory DC) now.
void PaintOnce(HWND list);

// Answers one LVN_GETDISPINFOW for items: the caption of the item asked,
// cut to the room the control gives.
void CopyCaptionOnRequest(NMLVDISPINFOW& request, const std::vector<DemoItem>& items);

// Every item as the control holds it now, in its order.
std::vector<DemoItem> ReadListView(HWND list);

// Writes ReadListView as an item file (UTF-8), replacing path whole.
bool WriteDump(HWND list, const std::wstring& path);
// Replaces path with bytes whole, or leaves it as it was.
bool ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

// Moves every item to another place on the list view's client area, chosen
// from seed; returns how many moved.
std::int32_t ScrambleListView(HWND list, std::uint32_t seed);

// Puts every item back where items place it (same order as the control's).
void PlaceItems(HWND list, const std::vector<DemoItem>& items);

}  // namespace icotrace::demo
