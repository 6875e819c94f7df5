#include <windows.h>
#include <commctrl.h>

#include "control_checks.h"
#include "e2e_environment.h"
#include "live_windows.h"
#include "person_input.h"
#include "shell_calls.h"
#include "ui_expected_texts.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct AboutControls {
  HWND Ok = nullptr, Picture1 = nullptr, Text1 = nullptr, Picture2 = nullptr;
  HWND Image1 = nullptr, Image2 = nullptr;
  HWND Title = nullptr, Version = nullptr, Description = nullptr;
  HWND Disclaimer = nullptr, Label2 = nullptr, Label3 = nullptr;
};

AboutControls CheckLayout(HWND about) {
  AboutControls controls;
  const std::vector<HWND> top = CheckControls(
      about, {{"Command1", L"Button", u"&OK", {192, 376, 81, 25}},
              {"Picture1", L"IcotracePanel", u"", {64, 3, 273, 57}},
              {"Text1", L"Edit", std::u16string(testing::kExpectedUsageText), {8, 160, 433, 201}},
              {"Picture2", L"IcotracePanel", u"", {64, 72, 329, 73}},
              {"Image1", L"Static", u"", {8, 8, 32, 32}},
              {"Image2", L"Static", u"", {344, 8, 100, 44}}});
  if (top.size() != 6) return controls;
  controls = {top[0], top[1], top[2], top[3], top[4], top[5]};
  // Places inside a panel are measured inside its sunken border.
  const std::vector<HWND> first = CheckControls(
      controls.Picture1,
      {{"lblTitle", L"Static", u"Icotrace", {40, 0, 163, 16}},
       {"lblVersion", L"Static", u"Version 1.0.0", {40, 16, 227, 15}},
       {"lblDescription", L"Static", u"© Talvero. Gratuit, copie libre.", {40, 32, 227, 14}}});
  const std::vector<HWND> second = CheckControls(
      controls.Picture2,
      {{"lblDisclaimer", L"Static", u"E-Mail : icotrace@talvero.example", {40, 0, 258, 15}},
       {"Label2", L"Static", u"Logiciel FREEWARE", {72, 40, 185, 17}},
       {"Label3", L"Static", u"URL : https://www.talvero.example", {32, 16, 281, 17}}});
  if (first.size() == 3) {
    controls.Title = first[0];
    controls.Version = first[1];
    controls.Description = first[2];
  }
  if (second.size() == 3) {
    controls.Disclaimer = second[0];
    controls.Label2 = second[1];
    controls.Label3 = second[2];
  }
  return controls;
}

void CheckColours(const AboutControls& c) {
  const std::pair<HWND, COLORREF> texts[] = {
      {c.Title, kGreen}, {c.Version, kGreen}, {c.Description, kGreen}, {c.Disclaimer, kBlue},
      {c.Label2, kRed},  {c.Label3, kBlue},   {c.Text1, kYellow}};
  for (const auto& [control, colour] : texts) {
    const std::string name = Utf8(TextOf(control)).substr(0, 24);
    // Polled: the box may not have painted everything yet.
    EXPECT_TRUE((WaitUntil([&] { return PixelsOfColour(control, colour) > 10; }, 3000)))
        << "\"" + name + "\" is written in its colour";
    EXPECT_TRUE(PixelsOfColour(control, kBlack) > 10) << "\"" + name + "\" stands on black";
  }
}

void CheckPointerAndTips(Session& session, const AboutControls& c) {
  // The pointer shown once the program has answered the move: polled, since
  // the program takes its time on a busy machine.
  const auto pointer = [] {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    ::GetCursorInfo(&info);
    return info.hCursor;
  };
  // Over a label that is no link, the pointer once the program has answered
  // the move: the same over several polls in a row.
  MoveMouseTo(WindowCentreOf(c.Title));
  HCURSOR normal = nullptr;
  int polls = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        const HCURSOR now = pointer();
        polls = now == normal ? polls + 1 : 0;
        normal = now;
        return polls >= 3;
      },
      3000))
      << "the pointer settles over lblTitle";
  const auto handOver = [&](HWND link) {
    MoveMouseTo(WindowCentreOf(c.Title));
    EXPECT_TRUE(WaitUntil([&] { return pointer() == normal; }, 3000)) << "the arrow over lblTitle";
    MoveMouseTo(WindowCentreOf(link));
    EXPECT_TRUE(WaitUntil([&] { return pointer() != normal; }, 3000))
        << "the pointer changes over " << Utf8(TextOf(link)).substr(0, 20);
    return pointer();
  };
  const HCURSOR overSite = handOver(c.Label3);
  const HCURSOR overMail = handOver(c.Disclaimer);
  const HCURSOR overDonation = handOver(c.Image2);
  EXPECT_TRUE(overSite != nullptr && overSite != normal) << "the pointer changes over Label3";
  EXPECT_TRUE(overMail == overSite && overDonation == overSite)
      << "lblDisclaimer and Image2 show the same pointing hand as Label3";
  // From a link onto a label that is none: the normal pointer again.
  for (const HWND plain : {c.Label2, c.Version, c.Text1}) {
    MoveMouseTo(WindowCentreOf(c.Label3));
    EXPECT_TRUE(WaitUntil([&] { return pointer() == overSite; }, 3000))
        << "the pointing hand over Label3 again";
    MoveMouseTo(WindowCentreOf(plain));
    EXPECT_TRUE(WaitUntil([&] { return pointer() != overSite; }, 3000))
        << "no pointing hand over \"" + Utf8(TextOf(plain)).substr(0, 20) + "\"";
  }

  const std::pair<HWND, std::u16string> tips[] = {
      {c.Label3, u"Visitez le site officiel Talvero"},
      {c.Disclaimer, u"Envoyer un courriel"},
      {c.Image2, u"Faire un don avec PayPal - Un solution gratuite, rapide et sécurisée."}};
  for (const auto& [control, text] : tips)
    EXPECT_EQ(U16(ToolTipOver(control, session.ProcessId)), std::u16string(text))
        << "tool tip of a link";
}

// The folder of the program file the process runs.
std::wstring ProgramFolderOf(DWORD processId) {
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  std::wstring path(32768, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (!::QueryFullProcessImageNameW(process, 0, path.data(), &length)) length = 0;
  ::CloseHandle(process);
  path.resize(length);
  const std::size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool SameFolder(std::wstring a, std::wstring b) {
  for (std::wstring* path : {&a, &b})
    if (!path->empty() && path->back() == L'\\') path->pop_back();
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A link click reaches the shell: it starts what the registry names for the
// address's scheme (here this check, which records the call) with the
// address, in the program's folder for the web links, in a normal window.
void CheckLinkReachesTheShell(Session& session, const char* name, HWND link,
                              const std::wstring& scheme, const std::u16string& address,
                              bool inProgramFolder) {
  const std::wstring record = E2eDirectory() + L"\\shell-call-" + scheme + L".txt";
  ::DeleteFileW(record.c_str());
  ASSERT_TRUE(AnswerScheme(scheme, record)) << "\"" + Utf8(scheme) + "\" is this check's";
  ClickAt(WindowCentreOf(link));
  const std::optional<ShellCall> call = WaitForShellCall(record, 15000);
  ForgetScheme(scheme);
  const std::string what = std::string("a click on ") + name;
  ASSERT_TRUE(call.has_value()) << what + " reaches the shell";
  EXPECT_EQ(U16(call->Target), std::u16string(address)) << what + ": the address opened";
  EXPECT_EQ(call->Show, SW_SHOWNORMAL) << what + ": a normal window";
  if (inProgramFolder) {
    EXPECT_TRUE(SameFolder(call->Directory, ProgramFolderOf(session.ProcessId)))
        << what + ": run in the program's folder"
        << " [seen: " << Utf8(call->Directory) << "]";
  }
}

// With no mail program the e-mail link shows nothing: no box of the shell's,
// no failure of Icotrace's; the About box stays and answers.
void CheckMailWithoutAMailProgram(Session& session, const AboutControls& c, HWND about) {
  ForgetScheme(L"mailto");
  ClickAt(WindowCentreOf(c.Disclaimer));
  const auto stranger = [&] {
    for (const HWND window : VisibleWindows(session.ProcessId))
      if (window != about && window != session.Main && ClassOf(window) != TOOLTIPS_CLASSW)
        return true;
    return false;
  };
  EXPECT_TRUE(!WaitUntil(stranger, 3000)) << "the e-mail link without a mail program shows no box";
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutW(about, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0)
      << "the About box still answers after the e-mail link failed";
}

// Closes the box one way and checks that it went and gave the input back.
void ExpectClosed(Session& session, HWND about, const std::string& how) {
  const bool gone = WaitUntil([&] { return !::IsWindow(about); }, 5000);
  EXPECT_TRUE(gone) << how + " closes the About box";
  EXPECT_TRUE((WaitUntil([&] { return ::IsWindowEnabled(session.Main) != FALSE; }, 2000)))
      << "the main window takes input again after " + how;
}

}  // namespace

void CheckAboutBox(Session& session) {
  const HWND about = OpenAboutBox(session);
  ASSERT_TRUE(about != nullptr) << "\"A propos\" opens the About box";
  EXPECT_EQ(U16(TextOf(about)), std::u16string(u"A propos Icotrace")) << "About box caption";
  const SIZE client = ClientSize(about);
  EXPECT_TRUE(client.cx == 451 && client.cy == 410)
      << "About client area is 451x410"
      << " [seen: " << std::to_string(client.cx) + "x" + std::to_string(client.cy) << "]";
  EXPECT_TRUE(::IsWindowEnabled(session.Main) == FALSE)
      << "the main window takes no input while the About box is up";
  const LONG style = ::GetWindowLongW(about, GWL_STYLE);
  EXPECT_TRUE((style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0)
      << "About box: fixed, close box only";
  RECT box{}, main{};
  ::GetWindowRect(about, &box);
  ::GetWindowRect(session.Main, &main);
  const long dx = (box.left + box.right) - (main.left + main.right);
  const long dy = (box.top + box.bottom) - (main.top + main.bottom);
  EXPECT_TRUE(dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)
      << "About box is centred over the main window";

  const AboutControls controls = CheckLayout(about);
  if (controls.Label3 == nullptr || controls.Title == nullptr) return;
  EXPECT_TRUE(FocusOf(about) == controls.Ok) << "\"&OK\" has the focus";
  const LONG textStyle = ::GetWindowLongW(controls.Text1, GWL_STYLE);
  EXPECT_TRUE((textStyle & ES_MULTILINE) && (textStyle & ES_READONLY) && (textStyle & WS_VSCROLL))
      << "Text1 is multi-line, read-only, with a vertical scroll bar";
  CheckColours(controls);
  EXPECT_TRUE(RequestScreenshot(L"about-96dpi")) << "screenshot about-96dpi";
  CheckPointerAndTips(session, controls);
  CheckLinkReachesTheShell(session, "Label3", controls.Label3, L"https",
                           u"https://www.talvero.example", true);
  CheckLinkReachesTheShell(session, "Image2", controls.Image2, L"https",
                           u"https://www.talvero.example/Don/Don.htm", true);
  CheckLinkReachesTheShell(session, "lblDisclaimer", controls.Disclaimer, L"mailto",
                           u"mailto:icotrace@talvero.example", false);
  CheckMailWithoutAMailProgram(session, controls, about);

  ClickAt(WindowCentreOf(controls.Ok));
  ExpectClosed(session, about, "a click on \"&OK\"");

  const HWND second = OpenAboutBox(session);
  ASSERT_TRUE(second != nullptr) << "the About box opens again";
  PressKey(VK_RETURN);
  ExpectClosed(session, second, "Enter");

  const HWND third = OpenAboutBox(session);
  ASSERT_TRUE(third != nullptr) << "the About box opens a third time";
  // Built again at each opening: the same text, not a doubled one.
  const std::vector<HWND> children = ChildrenOf(third);
  if (children.size() > 2) {
    EXPECT_EQ(U16(TextOf(children[2])), std::u16string(testing::kExpectedUsageText))
        << "Text1 holds the usage text once after reopening";
  }
  PressKey('O', true);
  ExpectClosed(session, third, "Alt+O");

  const HWND fourth = OpenAboutBox(session);
  ASSERT_TRUE(fourth != nullptr) << "the About box opens a fourth time";
  PressKey(VK_ESCAPE);
  ExpectClosed(session, fourth, "Escape");
}

}  // namespace icotrace::e2e
