// InterprocessImageList.dll: the icons of another process's image list, as
// icons of the calling process. The DLL's bitness must match the shell's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#if defined(ICOTRACE_IMAGELIST_BUILD)
#define ICOTRACE_IMAGELIST_API __declspec(dllexport)
#else
#define ICOTRACE_IMAGELIST_API __declspec(dllimport)
#endif

extern "C" {

// The icon of image index in imageList, the image list of listView as that
// list view returned it (a handle of the list view's process). The caller
// owns the icon; null when the image cannot be fetched.
ICOTRACE_IMAGELIST_API HICON WINAPI GetIcon(HWND listView, HIMAGELIST imageList, int index);

// Removes the hook that GetIcon set in the list view's process and releases
// the exchange block. GetIcon sets it again when next called.
ICOTRACE_IMAGELIST_API BOOL WINAPI UninstallHook(void);
}
