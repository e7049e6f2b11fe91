#pragma once

// What the image size tests share: results in one comparable form, image
// bytes built by hand, and real files in a fresh folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>

#include "image/image_size.h"
#include "temp_dir.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#else
#include "platform/posix/posix_file_system.h"
#endif

namespace tagsmit::testing {

inline constexpr char kMissing[] = "ファイルが存在しません";
inline constexpr char kUnsuitable[] = "ファイルが適切ではありません";
inline constexpr char kNotGifOrJpg[] = "gif, jpg ファイルではありません";
inline constexpr char kGifWrong[] = "gif ファイルがおかしい";
inline constexpr char kJpgWrong[] = "jpg ファイルがおかしい";
inline constexpr char kJpgStrange[] = "jpg ファイルが変です";

inline SizeResult Size(std::uint64_t width, std::uint64_t height) {
  return ImageSize{width, height};
}
inline SizeResult Failure(const std::string& message) {
  return SizeFailure(message);
}
// Width, height and message (0, 0 and the message on failure), comparable and
// printable in one expectation.
inline std::tuple<std::uint64_t, std::uint64_t, std::string> Fields(const SizeResult& result) {
  if (!result.ok()) return {0, 0, result.error()};
  return {result.value().width, result.value().height, ""};
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  // Appending byte by byte keeps g++ 12 at -O3 from a false overflow warning
  // that vector::insert raises here.
  for (const Bytes& part : parts) std::copy(part.begin(), part.end(), std::back_inserter(out));
  return out;
}

inline Bytes BigEndian16(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
}

inline Bytes BigEndian32(std::uint32_t value) {
  return Join({BigEndian16(static_cast<std::uint16_t>(value >> 16)),
               BigEndian16(static_cast<std::uint16_t>(value & 0xFFFF))});
}

// The low `count` bytes of `value`, least significant first.
inline Bytes LittleEndian(std::uint64_t value, int count) {
  Bytes out;
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return out;
}

inline Bytes Text(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// A GIF header: signature and logical screen size, little-endian.
inline Bytes Gif(std::uint16_t width, std::uint16_t height, const char* signature = "GIF89a") {
  const Bytes w = BigEndian16(width), h = BigEndian16(height);
  return Join({Bytes(signature, signature + 6), {w[1], w[0], h[1], h[0]}});
}

// The start of image followed by `parts`.
inline Bytes Jpeg(std::initializer_list<Bytes> parts) {
  return Join({{0xFF, 0xD8}, Join(parts)});
}

// A JPEG marker segment: marker, a length that counts itself, then the body.
inline Bytes Segment(std::uint8_t code, const Bytes& body) {
  return Join({{0xFF, code}, BigEndian16(static_cast<std::uint16_t>(body.size() + 2)), body});
}

// A frame header with 8-bit samples and three components.
inline Bytes FrameHeader(std::uint8_t code, std::uint16_t height, std::uint16_t width) {
  return Join({{0xFF, code, 0x00, 0x11, 0x08},
               BigEndian16(height),
               BigEndian16(width),
               {0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01}});
}

// Real files in a fresh folder, measured through the system's file system.
class ImageSizeTest : public ::testing::Test {
 protected:
  SizeResult Measure(const std::string& name, const Bytes& bytes, SizeSwitches switches = {}) {
    return GetImageSize(fs_, dir_.WriteFile(name, bytes), switches);
  }
  std::string PathOf(const std::string& name) const { return dir_.PathOf(name); }

  TempDir dir_;
#ifdef _WIN32
  Win32FileSystem fs_;
#else
  PosixFileSystem fs_;
#endif
};

struct Case {
  const char* what;  // or the file name
  Bytes bytes;
  SizeResult expected;
};

}  // namespace tagsmit::testing
