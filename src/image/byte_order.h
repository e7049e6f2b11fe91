#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tagsmit {

enum class ByteOrder { kBig, kLittle };

// The unsigned number that the `count` bytes at `at` spell (count at most 8);
// the bytes must lie within `bytes`.
inline std::uint64_t NumberAt(std::span<const std::uint8_t> bytes, std::size_t at,
                              std::size_t count, ByteOrder order) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t index = order == ByteOrder::kBig ? at + i : at + count - 1 - i;
    value = value << 8 | bytes[index];
  }
  return value;
}

inline std::uint64_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                               std::size_t count) {
  return NumberAt(bytes, at, count, ByteOrder::kBig);
}

inline std::uint64_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                                  std::size_t count) {
  return NumberAt(bytes, at, count, ByteOrder::kLittle);
}

// As NumberAt, for positions a file gives: none when the bytes run past the end.
inline std::optional<std::uint64_t> CheckedNumberAt(std::span<const std::uint8_t> bytes,
                                                    std::uint64_t at, std::size_t count,
                                                    ByteOrder order) {
  if (at > bytes.size() || count > bytes.size() - at) return std::nullopt;
  return NumberAt(bytes, static_cast<std::size_t>(at), count, order);
}

// True when the bytes at `at` are the ASCII text `text`.
inline bool TextAt(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text) {
  if (at > bytes.size() || text.size() > bytes.size() - at) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (bytes[at + i] != static_cast<std::uint8_t>(text[i])) return false;
  }
  return true;
}

}  // namespace tagsmit
