#pragma once

#include <cstdint>
#include <optional>
#include <variant>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

// Why a reader could not finish. The size query, not the reader, turns these
// into messages, so that every reader fails the same way.
enum class ReadFailure {
  NotFound,    // the file vanished between the existence check and the read
  Unsuitable,  // cannot be opened, ends too early, or holds a value out of range
};

// What a reader gives back: a size result (possibly with a reader's own
// message) or a failure of reading.
using ReadOutcome = std::variant<SizeResult, ReadFailure>;

inline ReadFailure ReadFailureOf(OpenFailure failure) {
  return failure == OpenFailure::NotFound ? ReadFailure::NotFound : ReadFailure::Unsuitable;
}

// A 16-bit signed number from its two bytes; empty when it would be 32768 or
// more, which the image formats here treat as unusable rather than wrapping.
inline std::optional<std::int16_t> SignedFromBytes(std::uint8_t high, std::uint8_t low) {
  if (high >= 0x80) return std::nullopt;
  return static_cast<std::int16_t>(high * 256 + low);
}

}  // namespace tagsmit
