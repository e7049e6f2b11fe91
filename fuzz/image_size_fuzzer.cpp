// The size query over arbitrary bytes, named as a GIF and as a JPEG file: the
// result keeps its contract, agrees with what the bytes say, and is the same
// through the in-memory test file system and through the real POSIX reader
// (buffered reads, memchr scan, reads that grow while a scan goes on).

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fake_file_system.h"
#include "fuzz_check.h"
#include "image/image_size.h"
#include "memory_file.h"
#include "platform/posix/posix_file_system.h"

namespace tagsmit {
namespace {

constexpr std::string_view kUnsuitable = "ファイルが適切ではありません";
constexpr std::string_view kGifWrong = "gif ファイルがおかしい";
constexpr std::string_view kJpgWrong = "jpg ファイルがおかしい";
constexpr std::string_view kJpgStrange = "jpg ファイルが変です";

// Every name opens the one memory file through the POSIX file system.
class MemoryFileSystem final : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string path) : path_(std::move(path)) {}
  PathStyle Style() const override { return PathStyle::Posix; }
  OpenResult OpenForReading(const std::string&) override { return posix_.OpenForReading(path_); }
  std::string LookupFileName(const std::string&) override { return {}; }
  std::string LookupEntryName(const std::string&) override { return {}; }
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

// Success shows in the message alone; a failure carries no size.
void CheckContract(const SizeResult& result, const std::set<std::string_view>& messages) {
  FUZZ_CHECK(messages.contains(result.message));
  if (!result.message.empty()) {
    FUZZ_CHECK_EQ(result.width, 0);
    FUZZ_CHECK_EQ(result.height, 0);
  }
  FUZZ_CHECK(result.width >= 0 && result.height >= 0);
}

// The GIF header is fixed: signature, then width and height little-endian.
void CheckGif(std::string_view bytes, const SizeResult& result) {
  CheckContract(result, {"", kGifWrong, kUnsuitable});
  if (bytes.size() < 6) {
    FUZZ_CHECK_EQ(result.message, kUnsuitable);
  } else if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a") {
    FUZZ_CHECK_EQ(result.message, kGifWrong);
  } else if (bytes.size() < 10 || At(bytes, 7) >= 0x80 || At(bytes, 9) >= 0x80) {
    FUZZ_CHECK_EQ(result.message, kUnsuitable);
  } else {
    FUZZ_CHECK_EQ(result.message, "");
    FUZZ_CHECK_EQ(result.width, At(bytes, 6) + 256 * At(bytes, 7));
    FUZZ_CHECK_EQ(result.height, At(bytes, 8) + 256 * At(bytes, 9));
  }
}

// A JPEG size comes from a frame header that is in the file.
void CheckJpeg(std::string_view bytes, const SizeResult& result) {
  CheckContract(result, {"", kJpgWrong, kJpgStrange, kUnsuitable});
  const bool starts = bytes.size() >= 2 && At(bytes, 0) == 0xFF && At(bytes, 1) == 0xD8;
  FUZZ_CHECK_EQ(result.message == kJpgWrong, bytes.size() >= 2 && !starts);
  if (!result.message.empty()) return;
  FUZZ_CHECK(starts);
  bool found = false;
  for (std::size_t i = 2; !found && i + 8 < bytes.size(); ++i) {
    found = At(bytes, i) == 0xFF && At(bytes, i + 1) >= 0xC0 && At(bytes, i + 1) <= 0xC3 &&
            result.height == At(bytes, i + 5) * 256 + At(bytes, i + 6) &&
            result.width == At(bytes, i + 7) * 256 + At(bytes, i + 8);
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

  for (const std::string name : {"/in.gif", "/in.jpg"}) {
    const SizeResult result = GetImageSize(fake, name);
    if (name.ends_with("gif")) {
      CheckGif(bytes, result);
    } else {
      CheckJpeg(bytes, result);
    }
    const SizeResult through_posix = GetImageSize(real, name);
    FUZZ_CHECK_EQ(through_posix.message, result.message);
    FUZZ_CHECK_EQ(through_posix.width, result.width);
    FUZZ_CHECK_EQ(through_posix.height, result.height);
  }
  return 0;
}
