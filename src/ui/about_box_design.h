// FrmApropos as designed: its client area, its controls in twips with their
// texts, colours, fonts and links, and its three rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/about_links.h"
#include "ui/twips.h"

namespace icotrace {

enum class AboutControl {
  Command1,
  Picture1,
  lblTitle,
  lblVersion,
  lblDescription,
  Text1,
  Picture2,
  lblDisclaimer,
  Label2,
  Label3,
  Image1,
  Image2,
};

enum class AboutKind { Button, Panel, Label, TextBox, Picture };
enum class AboutContainer { Window, Picture1, Picture2 };
// Regular and Bold are 8.25 pt, LargeBold 9.75 pt.
enum class AboutFont { Regular, Bold, LargeBold };
enum class TextAlign { Left, Centre };

// Colours as the platform's 0x00BBGGRR values.
using ColourValue = std::uint32_t;
inline constexpr ColourValue kBlack = 0x00000000;
inline constexpr ColourValue kGreen = 0x0000FF00;
inline constexpr ColourValue kBlue = 0x00FF0000;
inline constexpr ColourValue kRed = 0x000000FF;
inline constexpr ColourValue kYellow = 0x0000FFFF;

struct AboutControlDesign {
  AboutControl Name;
  AboutKind Kind;
  AboutContainer Container;
  TwipsRect Rect;
  int TabIndex;         // -1: not in the tab order
  std::u16string Text;  // as designed; some are set again at load
  std::optional<ColourValue> TextColour;
  AboutFont Font;
  TextAlign Align;
  std::optional<AboutLink> Link;  // pointing hand; a click opens the address
  std::u16string_view ToolTip;
};

struct LineDesign {
  std::int32_t FromX, FromY, ToX, ToY;
};

inline constexpr TwipsSize kAboutClientSize{6765, 6150};
// Image1 shows the program icon at 32 pixels (96 dpi).
inline constexpr std::int32_t kAboutIconTwips = 480;
// The rules are one pixel wide at 96 dpi.
inline constexpr std::int32_t kRuleWidthTwips = 15;
inline constexpr std::array<LineDesign, 3> kAboutLines{{
    {0, 960, 6720, 960},    // Line1
    {0, 2280, 6720, 2280},  // Line3
    {0, 5520, 6720, 5520},  // Line2
}};

// The legal notice of lblDescription, one line.
inline constexpr std::u16string_view kLegalNotice = u"© Talvero. Gratuit, copie libre.";

inline constexpr std::size_t kAboutControlCount = 12;
// In tab order, containers before what they hold: the order of creation.
const std::array<AboutControlDesign, kAboutControlCount>& AboutControls();

}  // namespace icotrace
