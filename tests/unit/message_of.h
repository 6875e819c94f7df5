// The one way the unit tests read how a command failed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "desktop/command_error.h"

namespace icotrace::testing {

// The French message of the CommandError that action throws; fails the test
// when it throws nothing.
template <typename Action>
std::u16string MessageOf(Action&& action) {
  try {
    action();
  } catch (const CommandError& error) {
    return error.Message();
  }
  ADD_FAILURE() << "no CommandError was thrown";
  return std::u16string();
}

}  // namespace icotrace::testing
