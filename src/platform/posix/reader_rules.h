#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace tagsmit {

// What every clipboard holder allows the readers it serves its text to. A
// reader that takes nothing for kIdleLimit is given up. When kMaxTransfers
// are under way and another reader asks, one of them gives way: a reader that
// has taken nothing since it asked, the earliest to ask first. A reader that
// is taking the text never gives way to a newcomer, which is turned away
// instead; so no burst of readers that never read can cut off one that does.
inline constexpr std::size_t kMaxTransfers = 16;
inline constexpr std::chrono::seconds kIdleLimit{10};

// How a reader is getting on with its transfer.
struct ReaderProgress {
  std::chrono::steady_clock::time_point last_step;  // when it asked, then when it last took text
  bool reading = false;                             // whether it has taken text since it asked
};

// When the reader will have been idle too long.
inline std::chrono::steady_clock::time_point IdleEnd(const ReaderProgress& progress) {
  return progress.last_step + kIdleLimit;
}

// Whether the reader with `a` gives way before the one with `b`.
inline bool GivesWayBefore(const ReaderProgress& a, const ReaderProgress& b) {
  if (a.reading != b.reading) return !a.reading;
  return a.last_step < b.last_step;
}

// Adds `transfer` (of a type with a ReaderProgress `progress`) to
// `transfers`; beyond kMaxTransfers, takes out and returns the transfer that
// gives way, which may be the one just added.
template <typename Transfer>
std::optional<Transfer> AddGivingWay(std::vector<Transfer>& transfers, Transfer transfer) {
  transfers.push_back(std::move(transfer));
  if (transfers.size() <= kMaxTransfers) return std::nullopt;
  const auto gives_way = std::min_element(
      transfers.begin(), transfers.end(),
      [](const Transfer& a, const Transfer& b) { return GivesWayBefore(a.progress, b.progress); });
  std::optional<Transfer> gone(std::move(*gives_way));
  transfers.erase(gives_way);
  return gone;
}

}  // namespace tagsmit
