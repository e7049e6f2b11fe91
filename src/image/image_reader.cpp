#include "image/image_reader.h"

#include <array>

#include "image/bmp_size.h"
#include "image/gif_size.h"
#include "image/heif_size.h"
#include "image/ico_size.h"
#include "image/jpeg_size.h"
#include "image/png_size.h"
#include "image/svg_size.h"
#include "image/webp_size.h"

namespace tagsmit {
namespace {

// No two formats share first bytes, so the order does not matter.
constexpr std::array<ImageReader, 8> kReaders{{
    {IsGif, GetGifSize},
    {IsJpeg, GetJpegSize},
    {IsPng, GetPngSize},
    {IsWebp, GetWebpSize},
    {IsHeif, GetHeifSize},
    {IsSvg, GetSvgSize},
    {IsBmp, GetBmpSize},
    {IsIco, GetIcoSize},
}};

}  // namespace

std::span<const ImageReader> ImageReaders() {
  return kReaders;
}

SizeResult Unsuitable() {
  return SizeFailure("ファイルが適切ではありません");
}

}  // namespace tagsmit
