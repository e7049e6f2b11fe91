// The size query over arbitrary bytes: named as a GIF and as a JPEG file with
// more formats off (with and without the size as displayed), and chosen by
// content with more formats on; then every reader of the table on the same
// bytes. Each result keeps its contract, agrees with what the bytes say where
// that is simple to tell (GIF and JPEG), and is the same through the
// in-memory test file system and through the real POSIX reader (buffered
// reads, memchr scan, reads that grow while a scan goes on, rewinds).

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fake_file_system.h"
#include "fuzz_check.h"
#include "image/image_formats.h"
#include "image/image_reader.h"
#include "image/image_size.h"
#include "memory_file.h"
#include "platform/posix/posix_file_system.h"

namespace tagsmit {
namespace {

constexpr std::string_view kUnsuitable = "ファイルが適切ではありません";
constexpr std::string_view kGifWrong = "gif ファイルがおかしい";
constexpr std::string_view kJpgWrong = "jpg ファイルがおかしい";
constexpr std::string_view kJpgStrange = "jpg ファイルが変です";

// The messages of every format, and those of the query itself.
std::set<std::string_view> EveryMessage() {
  std::set<std::string_view> messages = {kUnsuitable, "対応していない画像形式です"};
  for (const ImageReader& reader : kImageReaders) {
    messages.insert(reader.damaged);
    if (*reader.other_message != '\0') messages.insert(reader.other_message);
  }
  return messages;
}
const std::set<std::string_view> kEveryMessage = EveryMessage();

// Every name opens the one memory file through the POSIX file system.
class MemoryFileSystem final : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string path) : path_(std::move(path)) {}
  PathStyle Style() const override { return PathStyle::Posix; }
  OpenedFile OpenForReading(const std::string&) override { return posix_.OpenForReading(path_); }
  std::string LookupFileName(const std::string&) override { return {}; }
  std::string LookupEntryName(const std::string&) override { return {}; }
  std::vector<std::string> FileNamesStartingWith(const std::string&) override { return {}; }
  std::string CurrentDirectory() override { return "/"; }
  bool IsDirectory(const std::string&) override { return false; }
  std::vector<std::string> Drives() override { return {"/"}; }
  std::vector<std::string> Subdirectories(const std::string&) override { return {}; }

 private:
  std::string path_;
  PosixFileSystem posix_;
};

std::uint8_t At(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}
std::string Message(const SizeResult& result) {
  return result.ok() ? "" : result.error();
}

// A failure names one of the messages; a success is within the sides allowed.
void CheckContract(const SizeResult& result, const std::set<std::string_view>& messages,
                   std::uint64_t largest) {
  if (!result.ok()) {
    FUZZ_CHECK(messages.contains(result.error()));
  } else {
    FUZZ_CHECK(result.value().width <= largest && result.value().height <= largest);
  }
}

void CheckSame(const SizeResult& a, const SizeResult& b) {
  FUZZ_CHECK_EQ(Message(a), Message(b));
  if (a.ok() && b.ok()) {
    FUZZ_CHECK_EQ(a.value().width, b.value().width);
    FUZZ_CHECK_EQ(a.value().height, b.value().height);
  }
}

// The GIF header is fixed: signature, then width and height little-endian.
// With the size as displayed a first frame may grow the canvas beyond them;
// with more formats a side of 0 is damaged.
void CheckGif(std::string_view bytes, const SizeResult& result, std::uint64_t largest,
              SizeSwitches switches) {
  const std::string message = Message(result);
  if (bytes.size() < 6) {
    FUZZ_CHECK_EQ(message, kUnsuitable);
    return;
  }
  if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a") {
    FUZZ_CHECK_EQ(message, kGifWrong);
    return;
  }
  const std::uint64_t width = bytes.size() < 10 ? 0 : At(bytes, 6) + 256u * At(bytes, 7);
  const std::uint64_t height = bytes.size() < 10 ? 0 : At(bytes, 8) + 256u * At(bytes, 9);
  if (bytes.size() < 10 || width > largest || height > largest) {
    FUZZ_CHECK_EQ(message, kUnsuitable);
  } else if (switches.display_size) {
    if (result.ok()) {
      FUZZ_CHECK(result.value().width >= width && result.value().height >= height);
    } else {
      FUZZ_CHECK(message == kUnsuitable || (switches.more_formats && message == kGifWrong));
    }
  } else if (switches.more_formats && (width == 0 || height == 0)) {
    FUZZ_CHECK_EQ(message, kGifWrong);
  } else {
    FUZZ_CHECK_EQ(message, "");
    FUZZ_CHECK_EQ(result.value().width, width);
    FUZZ_CHECK_EQ(result.value().height, height);
  }
}

// SOF0 to SOF3, and with more formats every SOFn.
bool IsFrameHeader(std::uint8_t code, SizeSwitches switches) {
  if (!switches.more_formats) return code >= 0xC0 && code <= 0xC3;
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// A JPEG size comes from a frame header that is in the file, its sides
// swapped only when the size as displayed is wanted.
void CheckJpeg(std::string_view bytes, const SizeResult& result, SizeSwitches switches) {
  const bool starts = bytes.size() >= 2 && At(bytes, 0) == 0xFF && At(bytes, 1) == 0xD8;
  // With more formats, a frame of a side 0 is damaged too.
  if (bytes.size() >= 2 && !starts) FUZZ_CHECK_EQ(Message(result), kJpgWrong);
  if (Message(result) == kJpgWrong) FUZZ_CHECK(!starts || switches.more_formats);
  if (!result.ok()) return;
  FUZZ_CHECK(starts);
  const std::uint64_t width = result.value().width, height = result.value().height;
  bool found = false;
  for (std::size_t i = 2; !found && i + 8 < bytes.size(); ++i) {
    const std::uint64_t lines = At(bytes, i + 5) * 256u + At(bytes, i + 6);
    const std::uint64_t samples = At(bytes, i + 7) * 256u + At(bytes, i + 8);
    found = At(bytes, i) == 0xFF && IsFrameHeader(At(bytes, i + 1), switches) &&
            ((height == lines && width == samples) ||
             (switches.display_size && width == lines && height == samples));
  }
  FUZZ_CHECK(found);
}

}  // namespace
}  // namespace tagsmit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tagsmit;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  testing::FakeFileSystem fake(PathStyle::Posix);
  fake.AddFile("/in.gif", bytes);
  fake.AddFile("/in.jpg", bytes);
  static fuzz::MemoryFile file;
  file.Hold(bytes);
  MemoryFileSystem real(file.Path());

  // By name, 16-bit sides.
  for (const SizeSwitches switches : {SizeSwitches{}, SizeSwitches{.display_size = true}}) {
    const SizeResult gif = GetImageSize(fake, "/in.gif", switches);
    CheckContract(gif, {kGifWrong, kUnsuitable}, 32767);
    CheckGif(bytes, gif, 32767, switches);
    CheckSame(GetImageSize(real, "/in.gif", switches), gif);

    const SizeResult jpeg = GetImageSize(fake, "/in.jpg", switches);
    CheckContract(jpeg, {kJpgWrong, kJpgStrange, kUnsuitable}, 32767);
    CheckJpeg(bytes, jpeg, switches);
    CheckSame(GetImageSize(real, "/in.jpg", switches), jpeg);
  }

  // By content, 31-bit sides; the name no longer matters.
  for (const bool display_size : {false, true}) {
    const SizeSwitches switches{.more_formats = true, .display_size = display_size};
    const SizeResult result = GetImageSize(fake, "/in.gif", switches);
    CheckContract(result, kEveryMessage, 0x7FFF'FFFF);
    CheckSame(GetImageSize(real, "/in.jpg", switches), result);
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) {
      CheckGif(bytes, result, 0xFFFF, switches);
    }
    if (bytes.starts_with("\xFF\xD8")) CheckJpeg(bytes, result, switches);
  }

  // Every reader on every input, whatever its first bytes.
  for (const ImageReader& reader : kImageReaders) {
    const SizeSwitches switches{.more_formats = true, .display_size = true};
    const SizeResult result = reader.read(*fake.OpenForReading("/in.gif").value(), switches);
    CheckContract(result, kEveryMessage, UINT64_MAX);
    CheckSame(reader.read(*real.OpenForReading("/in.gif").value(), switches), result);
  }
  return 0;
}
