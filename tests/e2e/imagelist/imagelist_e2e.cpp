// InterprocessImageList.dll for real: icons fetched from a demo desktop in
// another process, as Icotrace fetches them, and a shell that survives bad
// requests.
#include <windows.h>
#include <aclapi.h>
#include <commctrl.h>

#include <set>
#include <vector>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "imagelist/icon_exchange.h"
#include "imagelist/interprocess_image_list.h"
#include "platform/win/handles.h"

namespace icotrace::e2e {
namespace {

struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> colour;  // BGRA, top-down
  bool anyOpaque = false;
};

// Reads an icon of this process back as pixels, through its own bitmaps.
IconPixels Inspect(HICON icon) {
  IconPixels pixels;
  const IconBitmaps parts = IconBitmapsOf(icon);
  BITMAP colour{};
  if (parts.Colour && ::GetObjectW(parts.Colour.Get(), sizeof colour, &colour) != 0) {
    pixels.width = colour.bmWidth;
    pixels.height = colour.bmHeight;
    pixels.colour.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const WindowDc screen(nullptr);
    ::GetDIBits(screen.Get(), parts.Colour.Get(), 0, static_cast<UINT>(pixels.height),
                pixels.colour.data(), &info, DIB_RGB_COLORS);
    for (std::uint32_t pixel : pixels.colour) pixels.anyOpaque |= (pixel >> 24) != 0;
  }
  return pixels;
}

HWND DesktopListView(HWND progman) {
  HWND view = ::FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr);
  return view == nullptr ? nullptr : ::FindWindowExW(view, nullptr, L"SysListView32", nullptr);
}

HIMAGELIST SmallImageList(HWND listView) {
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(listView, LVM_GETIMAGELIST, LVSIL_SMALL, 0, SMTO_ABORTIFHUNG, 5000,
                        &answer);
  return reinterpret_cast<HIMAGELIST>(answer);
}

// Every test gives the hook up, whatever it met.
class ImageList : public testing::Test {
 protected:
  void TearDown() override { UninstallHook(); }
};

TEST_F(ImageList, FetchesEveryImageOfTheDesktop) {
  DemoDesktopProcess desktop(PathArgument(0), {});
  const HWND listView = DesktopListView(desktop.Progman());
  EXPECT_TRUE(listView != nullptr);
  const HIMAGELIST images = SmallImageList(listView);
  EXPECT_TRUE(images != nullptr);
  std::set<std::vector<std::uint32_t>> distinct;
  for (int index = 0; index < demo::kImageCount; ++index) {
    const UniqueIcon icon(GetIcon(listView, images, index));
    EXPECT_TRUE(icon.Get() != nullptr);
    const IconPixels pixels = Inspect(icon.Get());
    EXPECT_EQ(pixels.width, 16);
    EXPECT_EQ(pixels.height, 16);
    EXPECT_TRUE(pixels.anyOpaque);
    distinct.insert(pixels.colour);
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(demo::kImageCount));
  EXPECT_TRUE(UninstallHook() != FALSE);
  // The machinery comes back by itself after a release.
  const UniqueIcon again(GetIcon(listView, images, 0));
  EXPECT_TRUE(again.Get() != nullptr);
  EXPECT_TRUE(UninstallHook() != FALSE);
}

TEST_F(ImageList, RefusesBadRequestsAndTheShellLivesOn) {
  DemoDesktopProcess desktop(PathArgument(0), {});
  const HWND listView = DesktopListView(desktop.Progman());
  const HIMAGELIST images = SmallImageList(listView);
  EXPECT_TRUE(GetIcon(listView, images, demo::kImageCount) == nullptr);
  EXPECT_TRUE(GetIcon(listView, images, -1) == nullptr);
  // A handle the list view does not hold is never touched in the shell.
  const auto bogus = reinterpret_cast<HIMAGELIST>(reinterpret_cast<UINT_PTR>(images) + 0x40);
  EXPECT_TRUE(GetIcon(listView, bogus, 0) == nullptr);
  EXPECT_TRUE(GetIcon(listView, nullptr, 0) == nullptr);
  EXPECT_TRUE(GetIcon(nullptr, images, 0) == nullptr);
  EXPECT_TRUE(!desktop.Exited(200));
  const UniqueIcon good(GetIcon(listView, images, 1));
  EXPECT_TRUE(good.Get() != nullptr);
  // The hook serves the list view it was set for, through that window only:
  // the same request sent to Progman, on the same thread, stays unanswered.
  const UniqueKernelHandle mapping(::OpenFileMappingW(
      FILE_MAP_ALL_ACCESS, FALSE,
      reinterpret_cast<const wchar_t*>(icon_exchange::BlockName(::GetCurrentProcessId()).c_str())));
  const UniqueMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  const auto block = static_cast<std::uint8_t*>(view.Get());
  ASSERT_TRUE(block != nullptr);
  for (const HWND through : {desktop.Progman(), listView}) {
    icon_exchange::WriteRequest(
        block, {reinterpret_cast<UINT_PTR>(images), 1, 1, reinterpret_cast<UINT_PTR>(listView)});
    ::SendMessageTimeoutW(through, ::RegisterWindowMessageW(L"IcotraceIconRequest"),
                          ::GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_EQ(icon_exchange::ReadReply(block).status == icon_exchange::Status::Done,
              through == listView);
  }
  UninstallHook();
}

// The block the shell writes into is open to the user Icotrace runs as, by
// name, and to no group: made with the defaults of an elevated program, it
// would be open to administrators only, which the shell is not.
TEST_F(ImageList, OpensTheBlockToItsUserOnly) {
  DemoDesktopProcess desktop(PathArgument(0), {});
  const HWND listView = DesktopListView(desktop.Progman());
  const UniqueIcon icon(GetIcon(listView, SmallImageList(listView), 0));
  EXPECT_TRUE(icon.Get() != nullptr);
  const std::u16string name = icon_exchange::BlockName(::GetCurrentProcessId());
  const UniqueKernelHandle block(
      ::OpenFileMappingW(READ_CONTROL, FALSE, reinterpret_cast<const wchar_t*>(name.c_str())));
  ASSERT_NE(block.Get(), nullptr);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(::GetSecurityInfo(block.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  const UniqueLocal described(descriptor);
  ASSERT_NE(dacl, nullptr);
  ASSERT_EQ(dacl->AceCount, 1);
  void* ace = nullptr;
  EXPECT_TRUE(::GetAce(dacl, 0, &ace));
  const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
  EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
  HANDLE opened = nullptr;
  EXPECT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened));
  const UniqueKernelHandle token(opened);
  std::vector<DWORD> user(64);
  DWORD size = 0;
  EXPECT_TRUE(::GetTokenInformation(token.Get(), TokenUser, user.data(),
                                    static_cast<DWORD>(user.size() * sizeof(DWORD)), &size));
  EXPECT_TRUE(::EqualSid(const_cast<DWORD*>(&allowed->SidStart),
                         reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid));
}

// This library cannot run in a shell of the other bitness: no icon, at once,
// where a hook sent there would leave each fetch waiting out its timeout.
TEST_F(ImageList, DeclinesADesktopOfTheOtherBitness) {
  const std::wstring other = OtherBitnessDemoDesktop(
      ProgramArguments().size() > 1 ? ProgramArguments()[1] : std::wstring());
  if (other.empty())
    GTEST_SKIP() << "no demo desktop of the other bitness given (argument or "
                    "ICOTRACE_DEMO_DESKTOP_32/64)";
  DemoDesktopProcess desktop(other, {});
  const HWND listView = DesktopListView(desktop.Progman());
  EXPECT_TRUE(listView != nullptr);
  const HIMAGELIST images = SmallImageList(listView);
  const DWORD start = ::GetTickCount();
  for (int index = 0; index < demo::kImageCount; ++index) {
    EXPECT_TRUE(GetIcon(listView, images, index) == nullptr);
  }
  EXPECT_TRUE(::GetTickCount() - start < 2000);
  EXPECT_TRUE(!desktop.Exited(200));
}

}  // namespace
}  // namespace icotrace::e2e
