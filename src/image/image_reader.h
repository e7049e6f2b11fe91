#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

// One image format: its name as the settings window lists it, its messages,
// whether the first bytes of a file are of that format, and the reader of its
// size, which reads from the file's first byte. A reader checks the signature
// again, so it may be handed any file.
struct ImageReader {
  const char* name;
  // The message of a damaged header, and of a header that gives a side of 0.
  const char* damaged;
  // A second failure of the format's own, or "".
  const char* other_message;
  // The last three characters of the names read as this format with more
  // formats off, or "" for a format read only by content.
  const char* ending;
  bool (*recognise)(std::span<const std::uint8_t> head);
  SizeResult (*read)(ByteReader& in, const SizeSwitches& switches);
};

// How many first bytes recognising a format may look at.
constexpr std::size_t kHeadSize = 4096;

// The failure of a file that ends before the bytes a reader needs, or holds a
// value out of range: "ファイルが適切ではありません".
SizeResult Unsuitable();

}  // namespace tagsmit
