// The image size query on real files: the reader chosen by the name, the GIF
// and JPEG readers, and the corpus of files from other programs.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "image/image_size.h"
#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

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
// Every file of a table (file, width, height, message; tab separated, one
// header line; names relative to the table's folder) measures as listed.
void ExpectEveryListedSize(const std::filesystem::path& table_path, SizeSwitches switches) {
  std::ifstream table(table_path);
  ASSERT_TRUE(table.is_open()) << table_path;
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
    const std::string path = (table_path.parent_path() / file).string();
    EXPECT_EQ(Fields(GetImageSize(fs, path, switches)), Fields(expected)) << file;
    ++checked;
  }
  EXPECT_GT(checked, 0);
  ::testing::Test::RecordProperty("files", checked);
}

TEST(CorpusTest, EveryListedFileMeasuresAsExpected) {
  const std::filesystem::path corpus = TAGSMIT_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  ExpectEveryListedSize(corpus / "expected.tsv", {});
}

// Samples of every format made by Debian's image tools, and the images of
// Debian's test packages, with both switches on (tests/image/make_samples.sh
// makes them and gives the reasons where the table departs from ImageMagick).
TEST(SamplesTest, EveryListedFileMeasuresAsExpected) {
  const std::filesystem::path samples = TAGSMIT_SAMPLES_DIR;
  if (!std::filesystem::is_directory(samples)) GTEST_SKIP() << "no samples at " << samples;
  ExpectEveryListedSize(samples / "expected.tsv", {.more_formats = true, .display_size = true});
}
#endif

}  // namespace
}  // namespace tagsmit::testing
