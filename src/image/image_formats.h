#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "image/bmp_size.h"
#include "image/gif_size.h"
#include "image/heif_size.h"
#include "image/ico_size.h"
#include "image/image_reader.h"
#include "image/jpeg_size.h"
#include "image/jxl_size.h"
#include "image/png_size.h"
#include "image/svg_size.h"
#include "image/webp_size.h"

namespace tagsmit {

// Every format read by content, GIF and JPEG among them. No two formats share
// first bytes, so the order matters only to the settings window's list.
inline constexpr ImageReader kImageReaders[] = {
    {"GIF", kGifDamaged, "", "gif", IsGif, GetGifSize},
    {"JPEG", kJpegDamaged, kJpegNoFrame, "jpg", IsJpeg, GetJpegSize},
    {"PNG", kPngDamaged, "", "", IsPng, GetPngSize},
    {"WebP", kWebpDamaged, "", "", IsWebp, GetWebpSize},
    {"AVIF, HEIF", kHeifDamaged, "", "", IsHeif, GetHeifSize},
    {"SVG", kSvgDamaged, kSvgNoSize, "", IsSvg, GetSvgSize},
    {"BMP", kBmpDamaged, "", "", IsBmp, GetBmpSize},
    {"ICO", kIcoDamaged, "", "", IsIco, GetIcoSize},
    {"JPEG XL", kJxlDamaged, "", "", IsJxl, GetJxlSize},
};

namespace image_formats_detail {

constexpr std::string_view kNameSeparator = ", ";
constexpr std::string_view kAlsoJpegNames = " と .jpeg も読みます";

// The names of the formats read only by content, then what else is read.
template <typename Append>
constexpr void MoreFormatsText(Append append) {
  bool first = true;
  for (const ImageReader& reader : kImageReaders) {
    if (!std::string_view(reader.ending).empty()) continue;
    if (!first) append(kNameSeparator);
    append(std::string_view(reader.name));
    first = false;
  }
  append(kAlsoJpegNames);
}

consteval std::size_t MoreFormatsTextSize() {
  std::size_t size = 0;
  MoreFormatsText([&](std::string_view part) { size += part.size(); });
  return size;
}

consteval std::array<char, MoreFormatsTextSize() + 1> MoreFormatsTextArray() {
  std::array<char, MoreFormatsTextSize() + 1> text{};
  std::size_t at = 0;
  MoreFormatsText([&](std::string_view part) {
    for (const char c : part) text[at++] = c;
  });
  return text;
}

inline constexpr auto kMoreFormatsText = MoreFormatsTextArray();

}  // namespace image_formats_detail

// The tooltip of the switch that reads more formats: the formats it adds.
constexpr const char* MoreFormatsTooltip() {
  return image_formats_detail::kMoreFormatsText.data();
}

}  // namespace tagsmit
