#include "image/image_size.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "base/ascii.h"
#include "image/image_formats.h"
#include "image/image_reader.h"

namespace tagsmit {
namespace {

constexpr char kNotGifOrJpg[] = "gif, jpg ファイルではありません";
constexpr char kUnknownFormat[] = "対応していない画像形式です";
constexpr char kMissing[] = "ファイルが存在しません";

// 16-bit signed numbers unless more formats are read.
constexpr std::uint64_t kLargestSide = 32767;
constexpr std::uint64_t kLargestSideOfMoreFormats = 0x7FFF'FFFF;

// Chosen by the last three characters alone, without looking for a dot, so
// "xgif" is a GIF and "a.jpeg" is neither. Both endings are ASCII, and a UTF-8
// text ends in three ASCII characters exactly when its last three bytes are
// ASCII, so comparing bytes is comparing characters.
SizeResult ReadByName(const std::string& path, ByteReader& in, const SizeSwitches& switches) {
  const std::string ending =
      path.size() < 3 ? std::string() : AsciiLower(std::string_view(path).substr(path.size() - 3));
  for (const ImageReader& reader : kImageReaders) {
    if (*reader.ending != '\0' && ending == reader.ending) return reader.read(in, switches);
  }
  return SizeFailure(kNotGifOrJpg);
}

SizeResult ReadByContent(ByteReader& in, const SizeSwitches& switches) {
  std::array<std::uint8_t, kHeadSize> head{};
  const auto read = std::span(head).first(in.ReadUpTo(head));
  const auto reader = std::find_if(std::begin(kImageReaders), std::end(kImageReaders),
                                   [&](const ImageReader& r) { return r.recognise(read); });
  if (reader == std::end(kImageReaders)) return SizeFailure(kUnknownFormat);
  in.Rewind();
  SizeResult result = reader->read(in, switches);
  // No browser shows a picture without an area.
  if (result.ok() && (result.value().width == 0 || result.value().height == 0)) {
    return SizeFailure(reader->damaged);
  }
  return result;
}

}  // namespace

SizeResult SizeFailure(const std::string& message) {
  return SizeResult::Failure(message);
}

SizeResult GetImageSize(FileSystem& fs, const std::string& path, SizeSwitches switches) {
  // The file is opened before the name is looked at, so a missing file is
  // reported as missing whatever its name ends in.
  OpenedFile opened = fs.OpenForReading(path);
  if (!opened.ok()) {
    return opened.kind() == ErrorKind::kNotFound ? SizeFailure(kMissing) : Unsuitable();
  }
  ByteReader& in = *opened.value();
  SizeResult result =
      switches.more_formats ? ReadByContent(in, switches) : ReadByName(path, in, switches);
  const std::uint64_t largest = switches.more_formats ? kLargestSideOfMoreFormats : kLargestSide;
  if (result.ok() && (result.value().width > largest || result.value().height > largest)) {
    return Unsuitable();
  }
  return result;
}

}  // namespace tagsmit
