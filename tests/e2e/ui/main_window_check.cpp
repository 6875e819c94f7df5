#include <windows.h>
#include <commctrl.h>

#include "control_checks.h"
#include "live_windows.h"
#include "person_input.h"
#include "remote_header.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

HWND FindByText(const std::vector<HWND>& windows, std::wstring_view text) {
  for (const HWND window : windows)
    if (TextOf(window) == text) return window;
  return nullptr;
}

void CheckFrameAndPlace(Session& session) {
  EXPECT_EQ(U16(TextOf(session.Main)), std::u16string(u"Icotrace")) << "main window caption";
  const SIZE client = ClientSize(session.Main);
  EXPECT_TRUE(client.cx == 562 && client.cy == 426)
      << "main client area is 562x426"
      << " [seen: " << std::to_string(client.cx) + "x" + std::to_string(client.cy) << "]";
  const LONG style = ::GetWindowLongW(session.Main, GWL_STYLE);
  EXPECT_TRUE((style & WS_THICKFRAME) == 0) << "main window cannot be resized";
  EXPECT_TRUE((style & WS_MAXIMIZEBOX) == 0) << "main window has no maximise box";
  EXPECT_TRUE((style & WS_SYSMENU) != 0) << "main window has its close box";

  RECT window{};
  ::GetWindowRect(session.Main, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(session.Main, MONITOR_DEFAULTTOPRIMARY), &monitor);
  // The whole screen, not its work area: the taskbar does not move the window.
  const long dx = (window.left + window.right) - (monitor.rcMonitor.left + monitor.rcMonitor.right);
  const long dy = (window.top + window.bottom) - (monitor.rcMonitor.top + monitor.rcMonitor.bottom);
  EXPECT_TRUE(dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)
      << "main window is centred on screen"
      << " [seen: " << std::to_string(dx / 2) + "," + std::to_string(dy / 2) << "]";
}

void CheckList(HWND list) {
  EXPECT_TRUE((::GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT)
      << "ListView1 is in report view";
  EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0) << "ListView1 has no rows";
  EXPECT_TRUE(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0) != 0)
      << "ListView1 takes its small icons from ImageList1";
  const std::vector<HeaderColumn> columns = ReadHeaderColumns(list);
  const std::u16string headers[] = {u"Nom Icône", u"Position X", u"Position Y", u"lParamètre"};
  const int widths[] = {244, 90, 90, 96};
  EXPECT_EQ(static_cast<long long>(columns.size()), 4) << "ListView1 has four columns";
  for (std::size_t i = 0; i < columns.size() && i < 4; ++i) {
    EXPECT_EQ(U16(columns[i].Text), std::u16string(headers[i]))
        << "column " + std::to_string(i + 1) + " header";
    EXPECT_EQ(columns[i].Width, widths[i])
        << "column " + std::to_string(i + 1) + " width in pixels";
  }
}

void CheckTabOrder(Session& session, HWND list, const std::vector<HWND>& buttons) {
  // Every control that takes the focus, in tab order: the list, then the
  // buttons as seen from left to right.
  const std::vector<HWND> expected{list,       buttons[0], buttons[1], buttons[2],
                                   buttons[3], buttons[4], buttons[5]};
  EXPECT_TRUE(TabStops(session.Main) == expected)
      << "tab order is ListView1, Command1, Command3, Command4, Command2, Command6, "
         "Command5";
  EXPECT_TRUE(FocusOf(session.Main) == list) << "ListView1 has the focus at start";
  // The keys go to the foreground window, which a check in the background
  // may not hand over: a click on the title makes it ours.
  EXPECT_TRUE(ClickFrame(session.Main, HTCAPTION)) << "the title bar is on the screen";
  // Tab by Tab: the greyed buttons are passed over.
  const HWND visits[] = {buttons[0], buttons[4], buttons[5], list};
  const char* names[] = {"Command1", "Command6 (A propos)", "Command5 (Quitter)", "ListView1"};
  for (std::size_t i = 0; i < 4; ++i) {
    PressKey(VK_TAB);
    WaitUntil([&] { return FocusOf(session.Main) == visits[i]; }, 2000);
    EXPECT_TRUE(FocusOf(session.Main) == visits[i]) << std::string("Tab moves to ") + names[i];
  }
}

// Each button's tool tip, hovered as a person would: the index in Frame1.
void CheckToolTips(Session& session, const std::vector<HWND>& buttons,
                   const std::vector<std::pair<std::size_t, std::u16string>>& tips) {
  for (const auto& [index, text] : tips)
    EXPECT_EQ(U16(ToolTipOver(buttons[index], session.ProcessId)), std::u16string(text))
        << "tool tip of \"" + Utf8(TextOf(buttons[index])) + "\"";
}

}  // namespace

void CheckMainWindow(Session& session) {
  CheckFrameAndPlace(session);
  const std::vector<HWND> top =
      CheckControls(session.Main, {{"ListView1", WC_LISTVIEWW, u"", {8, 0, 545, 305}},
                                   {"Frame1", L"IcotraceFrame", u"", {8, 304, 545, 113}}});
  if (top.size() != 2) return;
  const std::vector<HWND> buttons = CheckControls(
      top[1],
      {{"Command1", L"Button", u"Lire la configuration bureau", {8, 16, 89, 89}, true},
       {"Command3", L"Button", u"Sauver la configuration bureau", {96, 16, 89, 89}, false},
       {"Command4", L"Button", u"Charger la configuration", {184, 16, 89, 89}, false},
       {"Command2", L"Button", u"Appliquer la configuration bureau", {272, 16, 89, 89}, false},
       {"Command6", L"Button", u"A propos", {360, 16, 89, 89}, true},
       {"Command5", L"Button", u"Quitter", {448, 16, 89, 89}, true}});
  CheckList(top[0]);
  if (buttons.size() != 6) return;
  CheckTabOrder(session, top[0], buttons);
  CheckToolTips(session, buttons,
                {{0, u"Lire la configuration actuelle des paramètres du bureau"},
                 {4, u"Informations et utilisation de Icotrace"},
                 {5, u"Quitter Icotrace"}});
  std::printf(
      "note: %s\n",
      std::string("tool tips of the greyed buttons cannot show: they take no mouse input").c_str());
}

std::vector<HWND> MainButtons(HWND main) {
  const std::vector<HWND> frame = ChildrenOf(main);
  return frame.size() == 2 ? ChildrenOf(frame[1]) : frame;
}

void CheckToolTipsOnceOffered(Session& session) {
  const std::vector<HWND> buttons = MainButtons(session.Main);
  ASSERT_TRUE(buttons.size() == 6) << "frmMain has its six buttons";
  const HWND save = buttons[1], load = buttons[2], apply = buttons[3];
  ASSERT_TRUE(::IsWindowEnabled(load) != FALSE)
      << "\"Charger\" is offered at start when a layout file is there";
  ClickAt(WindowCentreOf(load));
  const bool offered = WaitUntil(
      [&] { return ::IsWindowEnabled(save) != FALSE && ::IsWindowEnabled(apply) != FALSE; }, 10000);
  ASSERT_TRUE(offered) << "a load offers \"Sauver\" and \"Appliquer\"";
  CheckToolTips(
      session, buttons,
      {{1, u"Sauve la configuration en cours du bureau"},
       {2, u"Charge une configuration bureau sauvegardée"},
       {3, u"Applique la configuration bureau chargée au bureau en cours dans Icotrace"}});
}

HWND OpenAboutBox(Session& session) {
  const HWND about = FindByText(TabStops(session.Main), L"A propos");
  if (about == nullptr) return nullptr;
  ClickAt(WindowCentreOf(about));
  return WaitForWindow(session.ProcessId, L"IcotraceAbout", 10000);
}

}  // namespace icotrace::e2e
