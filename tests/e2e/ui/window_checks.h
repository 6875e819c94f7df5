// The checks of each window, run against the live program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e_test.h"

namespace icotrace::e2e {

struct Session {
  DWORD ProcessId;
  HWND Main;
};

// frmMain at 96 dpi: frame, controls, list, tab order, tool tips.
void CheckMainWindow(Session& session);
// The six buttons of frmMain as they stand in Frame1, left to right (fewer
// when the window is not as designed).
std::vector<HWND> MainButtons(HWND main);
// frmMain started with a layout file: "Charger" is offered, a click on it
// offers "Sauver" and "Appliquer", and the three show their tool tips.
void CheckToolTipsOnceOffered(Session& session);
// Opens the About box with a click on "A propos" and returns it (null when it
// did not come up).
HWND OpenAboutBox(Session& session);
// FrmApropos at 96 dpi: texts, places, colours, focus, cursor, tool tips, the
// links' calls to the shell (the e-mail link with no mail program too); and
// each way of closing it: "&OK", Enter, Alt+O, Escape.
void CheckAboutBox(Session& session);
// The main window told that it moved to a 144 dpi screen and back: laid out
// again each time.
void CheckDpiChange(Session& session);
// Both windows at 144 dpi: half as large again.
void CheckAt144Dpi(Session& session);
// The resources of the program file: version record, pictures, cursor,
// manifest.
void CheckProgramResources(const std::wstring& program);

}  // namespace icotrace::e2e
