#include "image/image_size.h"

#include <string_view>
#include <utility>
#include <variant>

#include "base/ascii.h"
#include "image/gif_size.h"
#include "image/jpeg_size.h"
#include "image/read_outcome.h"

namespace tagsmit {
namespace {

constexpr char kNotGifOrJpg[] = "gif, jpg ファイルではありません";
constexpr char kMissing[] = "ファイルが存在しません";
constexpr char kUnsuitable[] = "ファイルが適切ではありません";

enum class ImageKind { Gif, Jpeg, Other };

// Chosen by the last three characters alone, without looking for a dot, so
// "xgif" is a GIF and "a.jpeg" is neither. Both endings are ASCII, and a UTF-8
// text ends in three ASCII characters exactly when its last three bytes are
// ASCII, so comparing bytes is comparing characters.
ImageKind KindByName(const std::string& path) {
  if (path.size() < 3) return ImageKind::Other;
  const std::string ending = AsciiLower(std::string_view(path).substr(path.size() - 3));
  if (ending == "gif") return ImageKind::Gif;
  if (ending == "jpg") return ImageKind::Jpeg;
  return ImageKind::Other;
}

SizeResult FailureResult(ReadFailure failure) {
  return SizeFailure(failure == ReadFailure::NotFound ? kMissing : kUnsuitable);
}

ReadOutcome Measure(FileSystem& fs, const std::string& path) {
  // The existence check comes before the name test, so a missing file is
  // reported as missing whatever its name ends in.
  OpenResult opened = fs.OpenForReading(path);
  if (!opened.reader) return ReadFailureOf(opened.failure);
  opened.reader.reset();

  switch (KindByName(path)) {
    case ImageKind::Gif:
      return GetGifSize(fs, path);
    case ImageKind::Jpeg:
      return GetJpegSize(fs, path);
    case ImageKind::Other:
      break;
  }
  return SizeFailure(kNotGifOrJpg);
}

}  // namespace

SizeResult SizeFailure(const std::string& message) {
  return SizeResult{0, 0, message};
}

SizeResult GetImageSize(FileSystem& fs, const std::string& path) {
  ReadOutcome outcome = Measure(fs, path);
  if (const auto* failure = std::get_if<ReadFailure>(&outcome)) return FailureResult(*failure);
  return std::get<SizeResult>(std::move(outcome));
}

}  // namespace tagsmit
