// The program's icons and cursor, loaded from its resources.
#pragma once

#include <windows.h>

#include "platform/win/handles.h"
#include "ui/win/window.h"

namespace icotrace {

// The icon's frame nearest to size pixels, scaled to it; owned by the caller.
UniqueIcon LoadIconAt(HINSTANCE instance, int resourceId, int size);
// The icon at the system's large or small icon size, shared by the process
// (what a window class shows); never destroyed.
HICON SharedIcon(HINSTANCE instance, int resourceId, bool small);
UniqueCursor LoadOwnCursor(HINSTANCE instance, int resourceId);
// The looks of the program's own windows: its icon on the button face.
WindowClassLooks ProgramWindowLooks(HINSTANCE instance);

}  // namespace icotrace
