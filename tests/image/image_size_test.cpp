// The image size query on real files: the reader chosen by the name, the GIF
// and JPEG readers, and the corpus of files from other programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>

#include "image/image_size.h"
#include "temp_dir.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#else
#include "platform/posix/posix_file_system.h"
#endif

namespace tagsmit::testing {
namespace {

constexpr char kMissing[] = "ファイルが存在しません";
constexpr char kUnsuitable[] = "ファイルが適切ではありません";
constexpr char kNotGifOrJpg[] = "gif, jpg ファイルではありません";
constexpr char kGifWrong[] = "gif ファイルがおかしい";
constexpr char kJpgWrong[] = "jpg ファイルがおかしい";
constexpr char kJpgStrange[] = "jpg ファイルが変です";

SizeResult Size(std::uint64_t width, std::uint64_t height) {
  return ImageSize{width, height};
}
SizeResult Failure(const std::string& message) {
  return SizeFailure(message);
}
// Width, height and message (0, 0 and the message on failure), comparable and
// printable in one expectation.
std::tuple<std::uint64_t, std::uint64_t, std::string> Fields(const SizeResult& result) {
  if (!result.ok()) return {0, 0, result.error()};
  return {result.value().width, result.value().height, ""};
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  // Appending byte by byte keeps g++ 12 at -O3 from a false overflow warning
  // that vector::insert raises here.
  for (const Bytes& part : parts) std::copy(part.begin(), part.end(), std::back_inserter(out));
  return out;
}

Bytes BigEndian16(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
}

// A GIF header: signature and logical screen size, little-endian.
Bytes Gif(std::uint16_t width, std::uint16_t height, const char* signature = "GIF89a") {
  const Bytes w = BigEndian16(width), h = BigEndian16(height);
  return Join({Bytes(signature, signature + 6), {w[1], w[0], h[1], h[0]}});
}

// The start of image followed by `parts`.
Bytes Jpeg(std::initializer_list<Bytes> parts) {
  return Join({{0xFF, 0xD8}, Join(parts)});
}

// A JPEG marker segment: marker, a length that counts itself, then the body.
Bytes Segment(std::uint8_t code, const Bytes& body) {
  return Join({{0xFF, code}, BigEndian16(static_cast<std::uint16_t>(body.size() + 2)), body});
}

// A frame header with 8-bit samples and three components.
Bytes FrameHeader(std::uint8_t code, std::uint16_t height, std::uint16_t width) {
  return Join({{0xFF, code, 0x00, 0x11, 0x08},
               BigEndian16(height),
               BigEndian16(width),
               {0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01}});
}

// Real files in a fresh folder, measured through the system's file system.
class ImageSizeTest : public ::testing::Test {
 protected:
  SizeResult Measure(const std::string& name, const Bytes& bytes) {
    return GetImageSize(fs_, dir_.WriteFile(name, bytes));
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

TEST_F(ImageSizeTest, ChoosesTheReaderByTheLastThreeCharacters) {
  const Bytes gif = Gif(320, 240);
  const Bytes jpeg = Jpeg({FrameHeader(0xC0, 480, 640)});
  const Case cases[] = {
      {"a.Gif", gif, Size(320, 240)},
      {"xgif", gif, Size(320, 240)},  // no dot needed
      {"PHOTO.JPG", jpeg, Size(640, 480)},
      {"a.jpeg", jpeg, Failure(kNotGifOrJpg)},
      {"画像ｇｉｆ", gif, Failure(kNotGifOrJpg)},  // full-width letters are other letters
      {"gi", gif, Failure(kNotGifOrJpg)},
      {"x.jpg", gif, Failure(kJpgWrong)},  // the name decides, not the content
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure(c.what, c.bytes)), Fields(c.expected)) << c.what;
  }
  // Existence comes before the name test.
  EXPECT_EQ(Fields(GetImageSize(fs_, PathOf("absent.png"))), Fields(Failure(kMissing)));
}

// A GIF cut anywhere in its first ten bytes is damaged, not a wrong signature.
// Every cut of a JPEG is e2e hostile.sh prefixes.
TEST_F(ImageSizeTest, GifLogicalScreenSizeWithinSixteenSignedBits) {
  const Bytes whole = Gif(1, 2);
  const Case cases[] = {
      {"both bytes of each value", Gif(320, 480), Size(320, 480)},
      {"GIF87a", Gif(1, 2, "GIF87a"), Size(1, 2)},
      {"largest width", Gif(32767, 1), Size(32767, 1)},
      {"width of 32768", Gif(0x8000, 1), Failure(kUnsuitable)},
      {"height of 65535", Gif(1, 0xFFFF), Failure(kUnsuitable)},
      {"lower-case signature", Gif(1, 1, "gif89a"), Failure(kGifWrong)},
      {"cut in the signature", Bytes(whole.begin(), whole.begin() + 5), Failure(kUnsuitable)},
      {"cut in the height", Bytes(whole.begin(), whole.end() - 1), Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.gif", c.bytes)), Fields(c.expected)) << c.what;
  }
}

// The size comes from the first frame header; every segment before it is
// skipped unread. Running out of bytes between segments is "strange"; anywhere
// else it is a damaged file.
TEST_F(ImageSizeTest, JpegSizeFromTheFirstFrameHeaderOfFourKinds) {
  const Bytes app0 = Segment(0xE0, Bytes(14, 0x4A));
  const Case cases[] = {
      {"baseline", Jpeg({app0, FrameHeader(0xC0, 480, 640)}), Size(640, 480)},
      {"lossless", Jpeg({app0, FrameHeader(0xC3, 480, 640)}), Size(640, 480)},
      {"fill bytes before the code", Jpeg({{0xFF, 0xFF}, FrameHeader(0xC1, 7, 9)}), Size(9, 7)},
      {"stray bytes", Jpeg({app0, {0x00, 0x12, 0xD8}, FrameHeader(0xC2, 7, 9)}), Size(9, 7)},
      {"C4, C9", Jpeg({Segment(0xC4, {}), Segment(0xC9, {}), FrameHeader(0xC0, 7, 9)}), Size(9, 7)},
      {"length 0x8000", Jpeg({Segment(0xE1, Bytes(0x7FFE)), FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"length 0xFFFF", Jpeg({Segment(0xED, Bytes(0xFFFD)), FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"thumbnail", Jpeg({Segment(0xE1, Jpeg({FrameHeader(0xC0, 1, 2)})), FrameHeader(0xC2, 7, 9)}),
       Size(9, 7)},
      {"length 1", Jpeg({{0xFF, 0xE0, 0x00, 0x01}, FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"second byte wrong", {0xFF, 0xD9, 0xFF, 0xC0}, Failure(kJpgWrong)},
      {"cut in the start of image", {0xFF}, Failure(kUnsuitable)},
      {"scan first", Jpeg({app0, Segment(0xDA, Bytes(10, 0))}), Failure(kJpgStrange)},
      {"ends after a complete segment", Jpeg({app0}), Failure(kJpgStrange)},
      {"ends inside a segment length", Jpeg({{0xFF, 0xE0, 0x00}}), Failure(kUnsuitable)},
      {"ends inside a segment body", Jpeg({{0xFF, 0xE0, 0x00, 0x10, 1, 2}}), Failure(kUnsuitable)},
      {"ends among stray bytes", Jpeg({app0, {0x00, 0x01}}), Failure(kUnsuitable)},
      // Long stretches run through many reads, the marker across their seams.
      {"3 MiB of stray bytes", Jpeg({Bytes(3 << 20, 0x00), FrameHeader(0xC2, 7, 9)}), Size(9, 7)},
      {"3 MiB of fill bytes", Jpeg({Bytes(3 << 20, 0xFF), FrameHeader(0xC1, 7, 9)}), Size(9, 7)},
      {"ends among fill bytes", Jpeg({app0, Bytes(5000, 0xFF)}), Failure(kUnsuitable)},
      {"ends in the frame header", Jpeg({{0xFF, 0xC0, 0x00, 0x11, 0x08}}), Failure(kUnsuitable)},
      {"height of 32768", Jpeg({FrameHeader(0xC0, 0x8000, 5)}), Failure(kUnsuitable)},
      {"width of 32768", Jpeg({FrameHeader(0xC0, 5, 0x8000)}), Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

#ifndef _WIN32
// Every file of the corpus table (file, width, height, message; tab
// separated, one header line) measures as listed.
TEST(CorpusTest, EveryListedFileMeasuresAsExpected) {
  const std::filesystem::path corpus = TAGSMIT_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::ifstream table(corpus / "expected.tsv");
  ASSERT_TRUE(table.is_open());

  PosixFileSystem fs;
  std::string line;
  ASSERT_TRUE(std::getline(table, line));  // the header
  int checked = 0;
  while (std::getline(table, line)) {
    if (line.empty()) continue;
    std::istringstream fields(line);
    std::string file, width, height, message;
    std::getline(fields, file, '\t');
    std::getline(fields, width, '\t');
    std::getline(fields, height, '\t');
    std::getline(fields, message);
    ASSERT_FALSE(height.empty()) << "malformed line: " << line;

    const SizeResult expected =
        message.empty() ? Size(std::stoul(width), std::stoul(height)) : Failure(message);
    EXPECT_EQ(Fields(GetImageSize(fs, (corpus / file).string())), Fields(expected)) << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
  RecordProperty("files", checked);
}
#endif

}  // namespace
}  // namespace tagsmit::testing
