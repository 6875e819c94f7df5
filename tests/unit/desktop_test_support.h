// The shells the desktop tests run against: both families, and on NT every
// pairing of program and shell pointer widths that can reach the desktop.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/exchange_records.h"
#include "simulated_shell.h"

namespace icotrace::testing {

struct ShellConfig {
  const char* name;
  SimulatedShell::Family family;
  unsigned programBits;
  bool programWow64;
  unsigned shellBits;
  bool shellWow64;
  PointerWidth expectedWidth;
  std::uint16_t shellMachine = 0;  // as the width says

  friend void PrintTo(const ShellConfig& config, std::ostream* out) { *out << config.name; }
};

inline const std::vector<ShellConfig>& AllShells() {
  static const std::vector<ShellConfig> shells = {
      {"Nt64", SimulatedShell::Family::NT, 64, false, 64, false, PointerWidth::Bits64},
      {"Nt64ProgramWow64Shell", SimulatedShell::Family::NT, 64, false, 32, true,
       PointerWidth::Bits32},
      {"Nt32", SimulatedShell::Family::NT, 32, false, 32, false, PointerWidth::Bits32},
      {"Nt32BothWow64", SimulatedShell::Family::NT, 32, true, 32, true, PointerWidth::Bits32},
      // Windows 11 on Arm: an x64 program, emulated, and the system's own shell.
      {"Nt64ProgramArm64Shell", SimulatedShell::Family::NT, 64, false, 64, false,
       PointerWidth::Bits64, win::kMachineArm64},
      {"Win9x", SimulatedShell::Family::Win9x, 32, false, 32, false, PointerWidth::Bits32},
  };
  return shells;
}

inline void Configure(SimulatedShell& shell, const ShellConfig& config) {
  shell.SetFamily(config.family);
  shell.SetProgram(config.programBits, config.programWow64);
  shell.SetShell(config.shellBits, config.shellWow64, config.shellMachine);
}

inline std::string ShellName(const ::testing::TestParamInfo<ShellConfig>& info) {
  return info.param.name;
}

// An address or handle as the call log writes it.
inline std::string HexText(std::uint64_t value) {
  std::ostringstream out;
  out << "0x" << std::hex << value;
  return out.str();
}

// The log's lines that start with one of prefixes, each written as its prefix,
// a run of the same step written once.
inline std::vector<std::string> StepsOf(const SimulatedShell& shell,
                                        const std::vector<std::string>& prefixes) {
  std::vector<std::string> steps;
  for (const std::string& line : shell.Log()) {
    for (const std::string& prefix : prefixes) {
      if (line.rfind(prefix, 0) != 0) continue;
      if (steps.empty() || steps.back() != prefix) steps.push_back(prefix);
      break;
    }
  }
  return steps;
}

inline SimulatedShell::Item Icon(std::u16string caption, int x, int y, int image = 0,
                                 long long lParam = 0) {
  return {std::move(caption), x, y, image, lParam};
}

}  // namespace icotrace::testing
