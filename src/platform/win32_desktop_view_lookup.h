// Where the shell keeps the desktop's folder view, asked through its window
// list (IShellWindows), and what a failed call says of the shell. Windows
// builds only.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include "platform/desktop_folder_view.h"
#include "platform/win/handles.h"

namespace icotrace {

// A failure of the call's way to the shell (RPC), not an answer of the shell.
bool IsRpcFailure(HRESULT failure);

// Whether a failed call left the shell unheard (cancelled, turned away as
// busy, cut off, its server not started) rather than answered that it has
// no such view to offer: that answer is asked again at the next apply.
FolderViewReach ReachAfter(HRESULT failure);

// The folder view of the desktop that shows listView, or why there is none
// to use: the shell may register no desktop, or one that is not the one the
// list view belongs to. Waits until deadline at most.
FolderViewReach FindDesktopFolderView(HWND listView, ULONGLONG deadline, ComPtr<IShellView>& view,
                                      ComPtr<IFolderView>& folderView);

}  // namespace icotrace
