// The list-view messages and flags the desktop access uses, with their
// Windows values (the portable code cannot include <windows.h>).
#pragma once

#include <cstdint>

namespace icotrace::lv {

inline constexpr std::uint32_t kGetItemCount = 0x1004;       // LVM_GETITEMCOUNT
inline constexpr std::uint32_t kGetImageList = 0x1002;       // LVM_GETIMAGELIST
inline constexpr std::uint32_t kGetItemPosition = 0x1010;    // LVM_GETITEMPOSITION
inline constexpr std::uint32_t kSetItemPosition32 = 0x1031;  // LVM_SETITEMPOSITION32
inline constexpr std::uint32_t kGetItemW = 0x104B;           // LVM_GETITEMW
inline constexpr std::uint32_t kFindItemW = 0x1053;          // LVM_FINDITEMW
inline constexpr std::uint32_t kGetOrigin = 0x1029;          // LVM_GETORIGIN
inline constexpr std::uint32_t kGetIconSpacing = 0x1033;     // LVM_GETICONSPACING
inline constexpr std::uint32_t kSetExtendedStyle = 0x1036;   // LVM_SETEXTENDEDLISTVIEWSTYLE
inline constexpr std::uint32_t kGetExtendedStyle = 0x1037;   // LVM_GETEXTENDEDLISTVIEWSTYLE

inline constexpr std::uint32_t kIfText = 1;              // LVIF_TEXT
inline constexpr std::uint32_t kIfImage = 2;             // LVIF_IMAGE
inline constexpr std::uint32_t kIfParam = 4;             // LVIF_PARAM
inline constexpr std::uint32_t kFindString = 2;          // LVFI_STRING
inline constexpr std::uint32_t kSmallImageList = 1;      // LVSIL_SMALL
inline constexpr std::uint32_t kExSnapToGrid = 0x80000;  // LVS_EX_SNAPTOGRID
inline constexpr std::uint32_t kAutoArrange = 0x100;     // LVS_AUTOARRANGE (window style)

}  // namespace icotrace::lv
