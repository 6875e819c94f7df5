// The goals a benchmark run checks on its way: each missed one is printed,
// and the run ends with "N met, N missed" and fails when one was missed.
#pragma once

#include <cstdio>
#include <string>

namespace icotrace::e2e {

inline int g_goalsMet = 0;
inline int g_goalsMissed = 0;

inline bool Record(bool met, const std::string& what, const char* file, int line) {
  ++(met ? g_goalsMet : g_goalsMissed);
  if (!met) std::printf("MISSED %s:%d: %s\n", file, line, what.c_str());
  return met;
}

inline int Summary() {
  std::printf("%d met, %d missed\n", g_goalsMet, g_goalsMissed);
  return g_goalsMissed > 0 ? 1 : 0;
}

}  // namespace icotrace::e2e
