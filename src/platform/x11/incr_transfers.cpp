#include "platform/x11/incr_transfers.h"

#include <algorithm>
#include <iterator>

namespace tagsmit::x11 {
namespace {

bool EarlierStep(const IncrTransfers::Transfer& a, const IncrTransfers::Transfer& b) {
  return a.last_step < b.last_step;
}

}  // namespace

std::optional<IncrTransfers::Transfer> IncrTransfers::Start(const Transfer& transfer) {
  End(transfer.requestor, transfer.property);
  std::optional<Transfer> pushed_out;
  if (transfers_.size() >= kMaxTransfers) {
    const auto idlest = std::min_element(transfers_.begin(), transfers_.end(), EarlierStep);
    pushed_out = *idlest;
    transfers_.erase(idlest);
  }
  transfers_.push_back(transfer);
  return pushed_out;
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
  const auto idle = [&](const Transfer& t) { return now - t.last_step >= kIdleLimit; };
  std::vector<Transfer> ended;
  std::copy_if(transfers_.begin(), transfers_.end(), std::back_inserter(ended), idle);
  std::erase_if(transfers_, idle);
  return ended;
}

std::optional<IncrTransfers::Clock::time_point> IncrTransfers::NextIdleEnd() const {
  if (transfers_.empty()) return std::nullopt;
  return std::min_element(transfers_.begin(), transfers_.end(), EarlierStep)->last_step +
         kIdleLimit;
}

bool IncrTransfers::AnyTo(xcb_window_t requestor) const {
  return std::any_of(transfers_.begin(), transfers_.end(),
                     [&](const Transfer& t) { return t.requestor == requestor; });
}

}  // namespace tagsmit::x11
