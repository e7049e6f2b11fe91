#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "temp_dir.h"

// Builders for the GIF and JPEG headers that the tests write to disk.
namespace tagsmit::testing {

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  // Appending byte by byte keeps g++ 12 at -O3 from a false overflow warning
  // that vector::insert raises here.
  for (const Bytes& part : parts) std::copy(part.begin(), part.end(), std::back_inserter(out));
  return out;
}

inline Bytes Repeat(std::size_t count, std::uint8_t value) {
  return Bytes(count, value);
}

inline Bytes LittleEndian16(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
}

inline Bytes BigEndian16(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
}

// GIF89a with its logical screen size.
inline Bytes Gif(std::uint16_t width, std::uint16_t height) {
  return Join({{'G', 'I', 'F', '8', '9', 'a'}, LittleEndian16(width), LittleEndian16(height)});
}

inline const Bytes kStartOfImage = {0xFF, 0xD8};

// A JPEG marker segment: marker, a length that counts itself, then the body.
inline Bytes Segment(std::uint8_t code, std::size_t body_size, std::uint8_t fill = 0x20) {
  return Join({{0xFF, code},
               BigEndian16(static_cast<std::uint16_t>(body_size + 2)),
               Repeat(body_size, fill)});
}

// A frame header with 8-bit samples and three components.
inline Bytes FrameHeader(std::uint8_t code, std::uint16_t height, std::uint16_t width) {
  return Join({{0xFF, code, 0x00, 0x11, 0x08},
               BigEndian16(height),
               BigEndian16(width),
               {0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01}});
}

// A small but complete baseline JPEG layout: APP0, a large APP1, quantisation
// and Huffman tables, the frame header, then a scan.
inline Bytes SyntheticJpeg(std::uint16_t width, std::uint16_t height, std::size_t app1_body) {
  return Join({kStartOfImage,
               Segment(0xE0, 14),
               Segment(0xE1, app1_body, 0xFF),
               Segment(0xDB, 65),
               Segment(0xC4, 29),
               FrameHeader(0xC0, height, width),
               Segment(0xDA, 10),
               Repeat(500, 0x5A),
               {0xFF, 0xD9}});
}

}  // namespace tagsmit::testing
