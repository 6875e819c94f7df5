// Item messages posted to the desktop list view in bursts. Sent one by one,
// each move lets the control repaint before the next, so an apply paints the
// desktop once per item; posted, they wait in the control's queue and the
// control paints once when the queue runs dry.
#pragma once

#include <cstdint>
#include <vector>

#include "desktop/exchange_records.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

struct PostedItemMessage {
  std::int32_t index = 0;
  PointRecord point;  // what the message hands the control: a move's target
};

enum class BurstDrawing {
  AsItGoes,  // nothing to draw: position requests
  // Moves: the control's drawing is held off for the burst (WM_SETREDRAW,
  // posted on both sides of the burst), so that it neither gathers one more
  // piece of region to repaint per move nor repaints more than once.
  Held,
};

// Posts msg (LVM_SETITEMPOSITION32 or LVM_GETITEMPOSITION) once per item, each
// with its own place in the burst region, and returns the places as the
// control left them once it has worked through every burst: for a position
// request, where the item stands. Throws the French error when the shell is
// gone or does not work through a burst in time.
std::vector<PointRecord> PostInBursts(const ShellExchange& exchange, std::uint32_t msg,
                                      const std::vector<PostedItemMessage>& items,
                                      BurstDrawing drawing);

// Items a burst holds: far below the 10,000 messages a thread's queue takes.
inline constexpr std::size_t kBurstItems = 1024;
// How long the shell may take to work through one burst.
inline constexpr std::uint64_t kBurstTimeoutMs = 5000;

}  // namespace icotrace
