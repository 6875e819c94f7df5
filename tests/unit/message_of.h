// How a command failed, as the unit tests and the Windows-side checks read
// it: the French message of its CommandError.
#pragma once

#include <string>

#include "core/command_error.h"

namespace icotrace {

// The message of the CommandError that action throws; empty when it throws
// none (no failure of the program has an empty message).
template <typename Action>
std::u16string MessageOf(Action&& action) {
  try {
    action();
  } catch (const CommandError& error) {
    return error.Message();
  }
  return std::u16string();
}

}  // namespace icotrace
