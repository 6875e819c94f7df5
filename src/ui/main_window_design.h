// frmMain as designed: its client area, its controls in twips, the captions
// and tool tips of the six picture buttons, and the columns of ListView1.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/resources/resource_ids.h"
#include "ui/twips.h"

namespace icotrace {

// Numbered in the order they were made, not in screen order.
enum class MainButton { Command1, Command2, Command3, Command4, Command5, Command6 };

struct MainButtonDesign {
  MainButton Button;
  std::u16string_view Caption;
  std::u16string_view ToolTip;
  TwipsRect Rect;  // inside Frame1
  int TabIndex;
  int PictureId;
  bool EnabledAtCreation;
};

struct ListColumnDesign {
  std::u16string_view Header;
  std::int32_t WidthTwips;
};

inline constexpr TwipsSize kMainClientSize{8430, 6390};
inline constexpr TwipsRect kListView1Rect{120, 0, 8175, 4575};
inline constexpr int kListView1TabIndex = 0;
inline constexpr TwipsRect kFrame1Rect{120, 4560, 8175, 1695};
inline constexpr int kFrame1TabIndex = 7;
// ImageList1 holds the desktop's small icons: 16 pixels at 96 dpi.
inline constexpr std::int32_t kSmallIconTwips = 240;
// The pictures of the buttons: 32 pixels at 96 dpi.
inline constexpr std::int32_t kButtonPictureTwips = 480;

// Left to right as seen, which is also the tab order.
inline constexpr std::array<MainButtonDesign, 6> kMainButtons{{
    {MainButton::Command1,
     u"Lire la configuration bureau",
     u"Lire la configuration actuelle des paramètres du bureau",
     {120, 240, 1335, 1335},
     1,
     IDI_ICOTRACE,
     true},
    {MainButton::Command3,
     u"Sauver la configuration bureau",
     u"Sauve la configuration en cours du bureau",
     {1440, 240, 1335, 1335},
     2,
     IDI_SAVE,
     false},
    {MainButton::Command4,
     u"Charger la configuration",
     u"Charge une configuration bureau sauvegardée",
     {2760, 240, 1335, 1335},
     3,
     IDI_OPEN,
     false},
    {MainButton::Command2,
     u"Appliquer la configuration bureau",
     u"Applique la configuration bureau chargée au bureau en cours dans Icotrace",
     {4080, 240, 1335, 1335},
     4,
     IDI_APPLY,
     false},
    {MainButton::Command6,
     u"A propos",
     u"Informations et utilisation de Icotrace",
     {5400, 240, 1335, 1335},
     5,
     IDI_ABOUT,
     true},
    {MainButton::Command5,
     u"Quitter",
     u"Quitter Icotrace",
     {6720, 240, 1335, 1335},
     6,
     IDI_QUIT,
     true},
}};

inline constexpr std::array<ListColumnDesign, 4> kListColumns{{
    {u"Nom Icône", 3660},
    {u"Position X", 1350},
    {u"Position Y", 1350},
    {u"lParamètre", 1440},
}};

}  // namespace icotrace
