#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win/handles.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

// The resource identifiers of the program file.
constexpr int kIconIds[] = {1, 2, 3, 4, 5, 6};
constexpr int kLinkCursorId = 20;
constexpr int kDonationId = 30;

std::string ResourceBytes(HMODULE module, int id, LPCWSTR type) {
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return {};
  const HGLOBAL loaded = ::LoadResource(module, found);
  const char* bytes =
      loaded != nullptr ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  return bytes != nullptr ? std::string(bytes, ::SizeofResource(module, found)) : std::string();
}

void CheckVersionRecord(const std::wstring& program) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
  std::string data(size, '\0');
  ASSERT_TRUE(size > 0 && ::GetFileVersionInfoW(program.c_str(), 0, size, data.data()))
      << "the program file has a version record";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
  EXPECT_TRUE(fixed != nullptr && fixed->dwFileVersionMS == 0x00010000 &&
              fixed->dwFileVersionLS == 0 && fixed->dwProductVersionMS == 0x00010000)
      << "the version record says 1.0.0.0";
  DWORD* translation = nullptr;
  ::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                   reinterpret_cast<void**>(&translation), &length);
  EXPECT_TRUE(translation != nullptr && LOWORD(*translation) == 0x040C)
      << "the version record is French (0x040C)";
  wchar_t* product = nullptr;
  ::VerQueryValueW(data.data(), L"\\StringFileInfo\\040C04B0\\ProductName",
                   reinterpret_cast<void**>(&product), &length);
  EXPECT_TRUE(product != nullptr && std::wstring(product) == L"Icotrace")
      << "the product is Icotrace";
}

}  // namespace

void CheckProgramResources(const std::wstring& program) {
  CheckVersionRecord(program);
  const UniqueLibrary library(::LoadLibraryExW(
      program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(static_cast<bool>(library)) << "the program file's resources can be read";
  const HMODULE module = library.Get();
  for (const int id : kIconIds) {
    const UniqueIcon icon(
        static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0)));
    EXPECT_TRUE(static_cast<bool>(icon)) << "icon " + std::to_string(id) + " loads at 32x32";
  }
  const UniqueCursor cursor(static_cast<HCURSOR>(
      ::LoadImageW(module, MAKEINTRESOURCEW(kLinkCursorId), IMAGE_CURSOR, 32, 32, 0)));
  ICONINFO info{};
  const bool described = cursor && ::GetIconInfo(cursor.Get(), &info);
  const UniqueBitmap mask(info.hbmMask);
  const UniqueBitmap colour(info.hbmColor);
  EXPECT_TRUE(described && info.xHotspot == 12 && info.yHotspot == 1)
      << "the pointing hand's hot spot is (12, 1)";

  const std::string gif = ResourceBytes(module, kDonationId, RT_RCDATA);
  const bool gifLooks = gif.size() > 10 && gif.compare(0, 6, "GIF89a") == 0 &&
                        static_cast<unsigned char>(gif[6]) == 100 && gif[7] == 0 &&
                        static_cast<unsigned char>(gif[8]) == 44 && gif[9] == 0;
  EXPECT_TRUE(gifLooks) << "the donation picture is a GIF89a of 100x44";
  const std::string manifest = ResourceBytes(module, 1, MAKEINTRESOURCEW(24));
  EXPECT_TRUE(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
              manifest.find("6.0.0.0") != std::string::npos)
      << "the manifest asks for common controls v6";
  EXPECT_TRUE(manifest.find("PerMonitorV2") != std::string::npos &&
              manifest.find("true/pm") != std::string::npos)
      << "the manifest declares per-monitor DPI awareness";
}

}  // namespace icotrace::e2e
