#include "desktop/posted_burst.h"

#include <algorithm>
#include <deque>

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/list_view_protocol.h"

namespace icotrace {
namespace {

// The first looks at the marker only yield the processor; then the wait
// sleeps.
constexpr unsigned kQuickLooks = 50;

void Append(Bytes& bytes, const PointRecord& point) {
  const Bytes encoded = EncodePoint(point);
  bytes.insert(bytes.end(), encoded.begin(), encoded.end());
}

PointRecord PointAt(const Bytes& bytes, std::size_t slot) {
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(slot * kPointSize);
  return DecodePoint(Bytes(first, first + static_cast<std::ptrdiff_t>(kPointSize)));
}

// A message sent after the burst would be answered before it (a thread takes
// sent messages before posted ones), so the burst closes with a posted
// request of the view's origin into a marker place. The origin is asked
// first, sent, and the marker filled with another value: the marker changes
// only once the control has reached it, and so worked through the burst.
// (Should the origin move onto that very value meanwhile, the wait runs out
// and the region is left to the shell: an error, never a write into freed
// memory.) Gives the value the marker holds until then.
void PrepareMarker(const ShellExchange& exchange, RemoteAddress marker, PointRecord& unreached) {
  exchange.Send(lv::kGetOrigin, 0, static_cast<std::int64_t>(marker));
  Bytes origin(kPointSize);
  if (!exchange.family.read(exchange.api, exchange.state, marker, origin)) {
    throw CommandError(messages::kDesktopNotResponding);
  }
  unreached = DecodePoint(origin);
  unreached.x = static_cast<std::int32_t>(static_cast<std::uint32_t>(unreached.x) + 1u);
}

// Waits until the control has written the marker.
void AwaitMarker(const ShellExchange& exchange, RemoteAddress marker, PointRecord unreached) {
  const std::uint64_t start = exchange.api.GetTickCount64();
  Bytes seen(kPointSize);
  for (unsigned look = 0;; ++look) {
    if (!exchange.family.read(exchange.api, exchange.state, marker, seen)) break;
    if (DecodePoint(seen) != unreached) return;
    if (exchange.api.GetTickCount64() - start >= kBurstTimeoutMs) break;
    exchange.api.Sleep(look < kQuickLooks ? 0 : 1);
  }
  throw CommandError(messages::kDesktopNotResponding);
}

// The control's drawing held off from the first move of a burst to its last.
// The drawing is given back, posted, behind the burst's last move before the
// program waits for anything, so that the shell holds both halves in its own
// queue; should a post fail, it is given back sent, ahead of whatever is
// still queued.
class DrawingHeld {
 public:
  DrawingHeld(const ShellExchange& exchange, BurstDrawing drawing) : m_exchange(exchange) {
    if (drawing != BurstDrawing::Held) return;
    exchange.Post(win::kSetRedraw, 0, 0);
    m_held = true;
  }
  DrawingHeld(const DrawingHeld&) = delete;
  DrawingHeld& operator=(const DrawingHeld&) = delete;
  ~DrawingHeld() {
    if (!m_held) return;
    const WindowHandle list = m_exchange.state.hDesktopListView;
    if (!m_exchange.api.PostMessageW(list, win::kSetRedraw, 1, 0)) {
      m_exchange.api.SendMessageTimeoutW(list, win::kSetRedraw, 1, 0);
    }
  }

 private:
  const ShellExchange& m_exchange;
  bool m_held = false;
};

}  // namespace

std::vector<PointRecord> PostInBursts(const ShellExchange& exchange, std::uint32_t msg,
                                      const std::vector<PostedItemMessage>& items,
                                      BurstDrawing drawing) {
  std::vector<PointRecord> places(items.size());
  if (items.empty()) return places;
  // Two bursts at most are queued at once, each in its half of the region:
  // the next one is posted before the control is through with the last, so
  // that its queue never runs dry, and it paints once at the end.
  const std::size_t slots = std::min(items.size(), kBurstItems) + 1;  // the marker's too
  const std::size_t halves = items.size() > kBurstItems ? 2 : 1;
  if (!exchange.family.openBurst(exchange.api, exchange.state, halves * slots * kPointSize)) {
    throw CommandError(messages::kExchangeAreaFailed);
  }
  struct Queued {
    std::size_t first;
    std::size_t count;
    RemoteAddress places;
    PointRecord unreached;  // the marker's value until the control reaches it
  };
  std::deque<Queued> queued;
  std::size_t next = 0;
  std::size_t half = 0;
  while (next < items.size() || !queued.empty()) {
    while (next < items.size() && queued.size() < halves) {
      Queued burst{next,
                   std::min(kBurstItems, items.size() - next),
                   exchange.state.BurstRegion + half * slots * kPointSize,
                   {}};
      const RemoteAddress marker = burst.places + burst.count * kPointSize;
      PrepareMarker(exchange, marker, burst.unreached);
      Bytes bytes;
      bytes.reserve((burst.count + 1) * kPointSize);
      for (std::size_t i = 0; i < burst.count; ++i) Append(bytes, items[next + i].point);
      Append(bytes, burst.unreached);
      if (!exchange.family.write(exchange.api, exchange.state, burst.places, bytes)) {
        throw CommandError(messages::kDesktopNotResponding);
      }
      // Until the control is seen past every burst, its messages may still
      // read the region: a shell gone or too slow is left the region for good.
      exchange.state.BurstAbandoned = true;
      {
        DrawingHeld held(exchange, drawing);
        for (std::size_t i = 0; i < burst.count; ++i) {
          exchange.Post(msg, static_cast<std::uint64_t>(items[next + i].index),
                        static_cast<std::int64_t>(burst.places + i * kPointSize));
        }
      }
      exchange.Post(lv::kGetOrigin, 0, static_cast<std::int64_t>(marker));
      queued.push_back(burst);
      next += burst.count;
      half = (half + 1) % halves;
    }
    const Queued& done = queued.front();
    AwaitMarker(exchange, done.places + done.count * kPointSize, done.unreached);
    Bytes back(done.count * kPointSize);
    if (!exchange.family.read(exchange.api, exchange.state, done.places, back)) {
      throw CommandError(messages::kDesktopNotResponding);
    }
    for (std::size_t i = 0; i < done.count; ++i) places[done.first + i] = PointAt(back, i);
    queued.pop_front();
  }
  exchange.state.BurstAbandoned = false;
  return places;
}

}  // namespace icotrace
