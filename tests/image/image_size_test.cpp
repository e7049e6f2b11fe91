#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

struct Case {
  const char* what;  // or the file name
  Bytes bytes;
  SizeResult expected;
};

using ImageSizeTest = ImageFileTest;

TEST_F(ImageSizeTest, ChoosesTheReaderByTheLastThreeCharacters) {
  const Bytes gif = Gif(320, 240);
  const Bytes jpeg = Jpeg({FrameHeader(0xC0, 480, 640)});
  const Case cases[] = {
      {"a.Gif", gif, Size(320, 240)},
      {"xgif", gif, Size(320, 240)},  // no dot needed
      {"photo.jpg", jpeg, Size(640, 480)},
      {"PHOTO.JPG", jpeg, Size(640, 480)},
      {"a.jpeg", jpeg, Failure(kNotGifOrJpg)},
      {"a.gif.png", gif, Failure(kNotGifOrJpg)},
      {"画像ｇｉｆ", gif, Failure(kNotGifOrJpg)},  // full-width letters are other letters
      {"gi", gif, Failure(kNotGifOrJpg)},
      {"x.jpg", gif, Failure(kJpgWrong)},  // the name decides, not the content
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure(c.what, c.bytes)), Fields(c.expected)) << c.what;
  }
}

TEST_F(ImageSizeTest, MissingFileIsToldApartFromEveryOtherFailure) {
  dir_.MakeFolder("pics.gif");
  const std::pair<std::string, const char*> cases[] = {
      {dir_.PathOf("absent.gif"), kMissing},
      {dir_.PathOf("photo.png"), kMissing},  // existence comes before the name test
      {dir_.PathOf("absent-folder/a.gif"), kUnsuitable},
      {dir_.PathOf("pics.gif"), kUnsuitable},
      {"/dev/null", kUnsuitable},
  };
  for (const auto& [path, message] : cases) {
    EXPECT_EQ(Fields(GetImageSize(fs_, path)), Fields(Failure(message))) << path;
  }
}

TEST_F(ImageSizeTest, FifoIsUnsuitableAndNeverWaitsForAWriter) {
  const std::string path = dir_.PathOf("pipe.gif");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::future<SizeResult> query =
      std::async(std::launch::async, [&] { return GetImageSize(fs_, path); });
  if (query.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the size query waits on a FIFO";
    // A writer that comes and goes releases a blocked open or read.
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  EXPECT_EQ(Fields(query.get()), Fields(Failure(kUnsuitable)));
}

TEST_F(ImageSizeTest, GifLogicalScreenSizeWithinSixteenSignedBits) {
  const Case cases[] = {
      {"both bytes of each value", Gif(320, 480), Size(320, 480)},
      {"GIF87a", Gif(1, 2, "GIF87a"), Size(1, 2)},
      {"largest width", Gif(32767, 1), Size(32767, 1)},
      {"width of 32768", Gif(0x8000, 1), Failure(kUnsuitable)},
      {"height of 65535", Gif(1, 0xFFFF), Failure(kUnsuitable)},
      {"lower-case signature", Gif(1, 1, "gif89a"), Failure(kGifWrong)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.gif", c.bytes)), Fields(c.expected)) << c.what;
  }
}

const Bytes kApp0 = Segment(0xE0, Bytes(14, 0x4A));

TEST_F(ImageSizeTest, JpegSkipsSegmentsUnreadToTheFirstFrameHeaderOfFourKinds) {
  // A camera's thumbnail: a JPEG with its own frame header inside APP1.
  const Bytes thumbnail = Jpeg({FrameHeader(0xC0, 120, 160), {0xFF, 0xD9}});
  const Case cases[] = {
      {"baseline", Jpeg({kApp0, FrameHeader(0xC0, 480, 640)}), Size(640, 480)},
      {"lossless", Jpeg({kApp0, FrameHeader(0xC3, 480, 640)}), Size(640, 480)},
      {"largest size", Jpeg({FrameHeader(0xC0, 32767, 32767)}), Size(32767, 32767)},
      {"fill bytes before the code", Jpeg({{0xFF, 0xFF}, FrameHeader(0xC1, 7, 9)}), Size(9, 7)},
      {"stray bytes before a marker", Jpeg({kApp0, {0x00, 0x12, 0xD8}, FrameHeader(0xC2, 7, 9)}),
       Size(9, 7)},
      {"C4 is a table, C9 an unsupported frame: both skipped as segments",
       Jpeg({Segment(0xC4, Bytes(30, 0)), Segment(0xC9, Bytes(15, 0)), FrameHeader(0xC0, 7, 9)}),
       Size(9, 7)},
      {"markers without a length in T.81 are read with one",
       Jpeg({{0xFF, 0xD0, 0x00, 0x02, 0xFF, 0x01, 0x00, 0x03, 0x00}, FrameHeader(0xC0, 7, 9)}),
       Size(9, 7)},
      {"length 0x8000", Jpeg({Segment(0xE1, Bytes(0x8000 - 2, 0x20)), FrameHeader(0xC0, 4, 5)}),
       Size(5, 4)},
      {"length 0xFFFF", Jpeg({Segment(0xED, Bytes(0xFFFF - 2, 0x20)), FrameHeader(0xC0, 4, 5)}),
       Size(5, 4)},
      {"thumbnail", Jpeg({Segment(0xE1, thumbnail), FrameHeader(0xC2, 480, 640)}), Size(640, 480)},
      {"length 1 skips nothing", Jpeg({{0xFF, 0xE0, 0x00, 0x01}, FrameHeader(0xC0, 4, 5)}),
       Size(5, 4)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

// Running out of bytes between segments is "strange"; anywhere else it is a
// damaged file.
TEST_F(ImageSizeTest, JpegReportsEachKindOfBadFile) {
  const Case cases[] = {
      {"second byte wrong", {0xFF, 0xD9, 0xFF, 0xC0}, Failure(kJpgWrong)},
      {"scan before any frame header", Jpeg({kApp0, Segment(0xDA, Bytes(10, 0))}),
       Failure(kJpgStrange)},
      {"ends after a complete segment", Jpeg({kApp0}), Failure(kJpgStrange)},
      {"ends inside a segment body", Jpeg({{0xFF, 0xE0, 0x00, 0x10, 1, 2}}), Failure(kUnsuitable)},
      {"ends among stray bytes", Jpeg({kApp0, {0x00, 0x01}}), Failure(kUnsuitable)},
      {"ends inside the frame header", Jpeg({{0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01}}),
       Failure(kUnsuitable)},
      {"height of 32768", Jpeg({FrameHeader(0xC0, 0x8000, 5)}), Failure(kUnsuitable)},
      {"width of 32768", Jpeg({FrameHeader(0xC0, 5, 0x8000)}), Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

}  // namespace
}  // namespace tagsmit::testing
