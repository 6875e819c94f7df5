// The DPI of a window and what follows from it for a fixed-size window: its
// outer size for a client area, and its place on the monitor.
#pragma once

#include <windows.h>

#include "ui/twips.h"

namespace icotrace {

// The window's own DPI where the system tells it (per-monitor), else the
// system DPI.
UINT WindowDpi(HWND window);

// Resizes a fixed window so that its client area is exactly client at dpi,
// whatever its frame turns out to be; the position stays.
void SetClientSize(HWND window, PixelSize client, UINT dpi);

// The top-left corner that centres size over around, kept on around's monitor.
POINT CentredPosition(const RECT& around, SIZE size, HMONITOR monitor);

// After WM_DPICHANGED: to the corner of the system's suggested rectangle,
// keeping the size that the new layout gave.
void MoveToSuggested(HWND window, LPARAM suggestedRect);

// Moves and resizes without touching the z-order or the activation.
void PlaceWindow(HWND window, const PixelRect& rect);

}  // namespace icotrace
