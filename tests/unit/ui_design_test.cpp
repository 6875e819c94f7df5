#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "ui/about_box_design.h"
#include "ui/main_window_design.h"

namespace icotrace::testing {
namespace {

constexpr std::uint32_t kDpis[] = {96, 120, 144, 192};

bool Inside(const PixelRect& inner, PixelSize outer) {
  return inner.Left >= 0 && inner.Top >= 0 && inner.Right() <= outer.Width &&
         inner.Bottom() <= outer.Height;
}

TEST(MainWindowDesign, ClientAreaAndControlsAt96Dpi) {
  EXPECT_EQ(ToPixels(kMainClientSize, 96), (PixelSize{562, 426}));
  const PixelRect list = ToPixels(kListView1Rect, 96);
  const PixelRect frame = ToPixels(kFrame1Rect, 96);
  // The list and the frame share their left edge and width and overlap by
  // one pixel.
  EXPECT_EQ(list, (PixelRect{8, 0, 545, 305}));
  EXPECT_EQ(frame, (PixelRect{8, 304, 545, 113}));
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    const PixelRect button = ToPixels(kMainButtons[i].Rect, 96);
    EXPECT_EQ(button, (PixelRect{8 + 88 * static_cast<std::int32_t>(i), 16, 89, 89})) << i;
  }
}

TEST(MainWindowDesign, ButtonsOverlapByAPixelAndStayInsideTheFrameAtEveryDpi) {
  for (const std::uint32_t dpi : kDpis) {
    const PixelRect frame = ToPixels(kFrame1Rect, dpi);
    const PixelSize client = ToPixels(kMainClientSize, dpi);
    EXPECT_TRUE(Inside(ToPixels(kListView1Rect, dpi), client)) << dpi;
    EXPECT_TRUE(Inside(frame, client)) << dpi;
    EXPECT_GT(ToPixels(kListView1Rect, dpi).Bottom(), frame.Top) << dpi;
    for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
      const PixelRect button = ToPixels(kMainButtons[i].Rect, dpi);
      EXPECT_TRUE(Inside(button, {frame.Width, frame.Height})) << dpi << " " << i;
      if (i == 0) continue;
      const PixelRect left = ToPixels(kMainButtons[i - 1].Rect, dpi);
      EXPECT_EQ(button.Width, left.Width) << dpi << " " << i;
      EXPECT_GE(left.Right() - button.Left, 1) << dpi << " " << i;
      if (dpi == 96) {
        EXPECT_EQ(left.Right() - button.Left, 1) << i;
      }
    }
  }
}

TEST(MainWindowDesign, TabOrderIsTheScreenOrderLeftToRight) {
  std::vector<MainButton> order;
  for (std::size_t i = 0; i < kMainButtons.size(); ++i) {
    EXPECT_EQ(kMainButtons[i].TabIndex, static_cast<int>(i) + 1);
    if (i > 0) {
      EXPECT_GT(kMainButtons[i].Rect.Left, kMainButtons[i - 1].Rect.Left);
    }
    order.push_back(kMainButtons[i].Button);
  }
  EXPECT_EQ(order, (std::vector<MainButton>{MainButton::Command1, MainButton::Command3,
                                            MainButton::Command4, MainButton::Command2,
                                            MainButton::Command6, MainButton::Command5}));
  EXPECT_EQ(kListView1TabIndex, 0);
  EXPECT_EQ(kFrame1TabIndex, 7);
}

TEST(MainWindowDesign, OnlyReadAboutAndQuitAreEnabledAtCreation) {
  std::set<MainButton> enabled;
  for (const MainButtonDesign& design : kMainButtons)
    if (design.EnabledAtCreation) enabled.insert(design.Button);
  EXPECT_EQ(enabled, (std::set<MainButton>{MainButton::Command1, MainButton::Command5,
                                           MainButton::Command6}));
}

TEST(MainWindowDesign, ColumnsFitWithoutAHorizontalScrollBar) {
  std::vector<std::int32_t> widths;
  std::int32_t total = 0;
  for (const ListColumnDesign& column : kListColumns) {
    widths.push_back(TwipsToPixels(column.WidthTwips, 96));
    total += TwipsToPixels(column.WidthTwips, 96);
  }
  EXPECT_EQ(widths, (std::vector<std::int32_t>{244, 90, 90, 96}));
  // The list less its two sunken borders (2 pixels each) and a vertical
  // scroll bar (17 pixels).
  EXPECT_LE(total, ToPixels(kListView1Rect, 96).Width - 4 - 17);
  EXPECT_EQ(TwipsToPixels(kSmallIconTwips, 96), 16);
  EXPECT_EQ(TwipsToPixels(kSmallIconTwips, 144), 24);
}

TEST(AboutBoxDesign, ClientAreaAndControlsAt96Dpi) {
  EXPECT_EQ(ToPixels(kAboutClientSize, 96), (PixelSize{451, 410}));
  const auto at96 = [](AboutControl name) {
    for (const AboutControlDesign& design : AboutControls())
      if (design.Name == name) return ToPixels(design.Rect, 96);
    return PixelRect{};
  };
  EXPECT_EQ(at96(AboutControl::Command1), (PixelRect{192, 376, 81, 25}));
  EXPECT_EQ(at96(AboutControl::Picture1), (PixelRect{64, 3, 273, 57}));
  EXPECT_EQ(at96(AboutControl::Text1), (PixelRect{8, 160, 433, 201}));
  EXPECT_EQ(at96(AboutControl::Picture2), (PixelRect{64, 72, 329, 73}));
  EXPECT_EQ(at96(AboutControl::Image1), (PixelRect{8, 8, 32, 32}));
  EXPECT_EQ(at96(AboutControl::Image2), (PixelRect{344, 8, 100, 44}));
}

TEST(AboutBoxDesign, EveryControlFitsItsContainerAtEveryDpi) {
  const auto& controls = AboutControls();
  const auto containerSize = [&](AboutContainer container, std::uint32_t dpi) {
    const AboutControl name =
        container == AboutContainer::Picture1 ? AboutControl::Picture1 : AboutControl::Picture2;
    for (const AboutControlDesign& design : controls) {
      if (design.Name != name) continue;
      // Inside the panel's sunken border, two pixels at 96 dpi on each side.
      const PixelRect panel = ToPixels(design.Rect, dpi);
      const std::int32_t border = 2 * TwipsToPixels(30, dpi);
      return PixelSize{panel.Width - border, panel.Height - border};
    }
    return PixelSize{};
  };
  for (const std::uint32_t dpi : kDpis) {
    for (const AboutControlDesign& design : controls) {
      const PixelSize outer = design.Container == AboutContainer::Window
                                  ? ToPixels(kAboutClientSize, dpi)
                                  : containerSize(design.Container, dpi);
      EXPECT_TRUE(Inside(ToPixels(design.Rect, dpi), outer))
          << dpi << " control " << static_cast<int>(design.Name);
    }
    for (const LineDesign& line : kAboutLines)
      EXPECT_LT(TwipsToPixels(line.ToX, dpi), ToPixels(kAboutClientSize, dpi).Width) << dpi;
  }
}

TEST(AboutBoxDesign, TabOrderFollowsCreationAndLinksCarryTheirToolTips) {
  int expectedTab = 0;
  for (const AboutControlDesign& design : AboutControls()) {
    if (design.TabIndex >= 0) {
      EXPECT_EQ(design.TabIndex, expectedTab++);
    }
    // A pointing hand always comes with a tool tip that says where it leads.
    EXPECT_EQ(design.Link.has_value(), !design.ToolTip.empty());
  }
  EXPECT_EQ(expectedTab, 10);
  EXPECT_EQ(AboutControls().front().Name, AboutControl::Command1);
  EXPECT_EQ(AboutControls().front().Text, u"&OK");
}

}  // namespace
}  // namespace icotrace::testing
