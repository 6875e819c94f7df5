// Icotrace.exe: starts with its main window, no command line, no other
// start-up step; ends when the main window is closed or "Quitter" is clicked.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "core/command_error.h"
#include "desktop/mod_common.h"
#include "platform/win32_ansi_codec.h"
#include "platform/win32_api.h"
#include "platform/win32_desktop_folder_view.h"
#include "platform/win32_file_system.h"
#include "platform/win32_screen_metrics.h"
#include "ui/win/frm_main.h"
#include "ui/win/wide_text.h"
#include "ui/win/window.h"

namespace {

int RunProgram(HINSTANCE instance, int showCommand) {
  icotrace::Win32Api api;
  icotrace::Win32DesktopFolderView folderView;
  icotrace::modCommon desktop(api, &folderView);
  icotrace::Win32FileSystem files;
  icotrace::Win32ScreenMetrics screen;
  const icotrace::Win32AnsiCodec codec;
  icotrace::FrmMain frmMain(instance, {desktop, api, files, screen, codec});
  frmMain.Show(showCommand);
  MSG message;
  BOOL got;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
    // The dialog keys: Tab between the controls, Space on a button.
    if (frmMain.Handle() != nullptr && ::IsDialogMessageW(frmMain.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The About box decodes its picture through OLE and opens links through
  // the shell, both of which want a single-threaded apartment.
  const bool oleReady = SUCCEEDED(::OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  int exitCode = 1;
  try {
    exitCode = RunProgram(instance, showCommand);
  } catch (const icotrace::CommandError& error) {
    icotrace::ShowFailure(nullptr, icotrace::Wide(error.Message()).c_str());
  } catch (...) {
    icotrace::ShowFailure(nullptr, L"Icotrace n'a pas pu démarrer.");
  }
  if (oleReady) ::OleUninitialize();
  return exitCode;
}
