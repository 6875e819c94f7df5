#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/frm_main_commands.h"

namespace icotrace::testing {
namespace {

class RecordingView : public MainWindowView {
 public:
  void ShowAboutBox() override { calls.push_back("about"); }
  void EndProgram() override { calls.push_back("end"); }
  std::vector<std::string> calls;
};

struct ClickCase {
  MainButton button;
  std::vector<std::string> calls;
};

class MainButtonClicks : public ::testing::TestWithParam<ClickCase> {};

// The buttons are numbered in the order they were made: Command5 quits and
// Command6 opens the About box, whatever their place on the screen.
TEST_P(MainButtonClicks, ReachTheirOwnCommand) {
  RecordingView view;
  FrmMainCommands commands(view);
  commands.Click(GetParam().button);
  EXPECT_EQ(view.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MainButtonClicks,
                         ::testing::Values(ClickCase{MainButton::Command5, {"end"}},
                                           ClickCase{MainButton::Command6, {"about"}},
                                           ClickCase{MainButton::Command1, {}},
                                           ClickCase{MainButton::Command2, {}},
                                           ClickCase{MainButton::Command3, {}},
                                           ClickCase{MainButton::Command4, {}}));

}  // namespace
}  // namespace icotrace::testing
