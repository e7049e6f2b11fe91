#include "platform/x11/incr_transfers.h"

#include <algorithm>
#include <iterator>

namespace tagsmit::x11 {
namespace {

bool EarlierStep(const IncrTransfers::Transfer& a, const IncrTransfers::Transfer& b) {
  return a.progress.last_step < b.progress.last_step;
}

}  // namespace

std::optional<IncrTransfers::Transfer> IncrTransfers::Start(const Transfer& transfer) {
  End(transfer.requestor, transfer.property);
  return AddGivingWay(transfers_, transfer);
}

IncrTransfers::Transfer* IncrTransfers::Find(xcb_window_t requestor, xcb_atom_t property) {
  const auto found = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
    return t.requestor == requestor && t.property == property;
  });
  return found == transfers_.end() ? nullptr : &*found;
}

void IncrTransfers::End(xcb_window_t requestor, xcb_atom_t property) {
  std::erase_if(transfers_, [&](const Transfer& t) {
    return t.requestor == requestor && t.property == property;
  });
}

void IncrTransfers::EndAllTo(xcb_window_t requestor) {
  std::erase_if(transfers_, [&](const Transfer& t) { return t.requestor == requestor; });
}

std::vector<IncrTransfers::Transfer> IncrTransfers::EndIdle(Clock::time_point now) {
  const auto idle = [&](const Transfer& t) { return now >= IdleEnd(t.progress); };
  std::vector<Transfer> ended;
  std::copy_if(transfers_.begin(), transfers_.end(), std::back_inserter(ended), idle);
  std::erase_if(transfers_, idle);
  return ended;
}

std::optional<IncrTransfers::Clock::time_point> IncrTransfers::NextIdleEnd() const {
  if (transfers_.empty()) return std::nullopt;
  return IdleEnd(std::min_element(transfers_.begin(), transfers_.end(), EarlierStep)->progress);
}

bool IncrTransfers::AnyTo(xcb_window_t requestor) const {
  return std::any_of(transfers_.begin(), transfers_.end(),
                     [&](const Transfer& t) { return t.requestor == requestor; });
}

}  // namespace tagsmit::x11
