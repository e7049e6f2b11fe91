#pragma once

#include <cstdint>
#include <span>

#include "image/image_size.h"
#include "platform/file_system.h"

namespace tagsmit {

// One image format: whether the first bytes of a file are of that format, and
// the reader of its size, which reads from the file's first byte. A reader
// checks the signature again, so it may be handed any file.
struct ImageReader {
  bool (*recognise)(std::span<const std::uint8_t> head);
  SizeResult (*read)(ByteReader& in, const SizeSwitches& switches);
};

// How many first bytes recognising a format may look at.
constexpr std::size_t kHeadSize = 4096;

// Every format read by content, GIF and JPEG among them.
std::span<const ImageReader> ImageReaders();

// The failure of a file that ends before the bytes a reader needs, or holds a
// value out of range: "ファイルが適切ではありません".
SizeResult Unsuitable();

}  // namespace tagsmit
