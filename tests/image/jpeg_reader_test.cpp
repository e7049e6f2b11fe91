#include <string>

#include "expected_messages.h"
#include "image_bytes.h"
#include "image_file_test.h"

namespace tagsmit::testing {
namespace {

using JpegReaderTest = ImageFileTest;

struct Case {
  const char* what;
  Bytes bytes;
  SizeResult expected;
};

// APP0 with 14 body bytes, and a 640 x 480 frame header that ends right after
// its width: nothing beyond the width is needed.
const Bytes kApp0 = Join({{0xFF, 0xE0, 0x00, 0x10}, Repeat(14, 0x4A)});

Bytes Frame640x480(std::uint8_t code) {
  return {0xFF, code, 0x00, 0x11, 0x08, 0x01, 0xE0, 0x02, 0x80};
}

TEST_F(JpegReaderTest, FindsTheFirstFrameHeaderOfTheFourSupportedKinds) {
  const Case cases[] = {
      {"baseline", Join({kStartOfImage, kApp0, Frame640x480(0xC0)}), Size(640, 480)},
      {"extended", Join({kStartOfImage, kApp0, Frame640x480(0xC1)}), Size(640, 480)},
      {"progressive", Join({kStartOfImage, kApp0, Frame640x480(0xC2)}), Size(640, 480)},
      {"lossless", Join({kStartOfImage, kApp0, Frame640x480(0xC3)}), Size(640, 480)},
      {"right after the start", Join({kStartOfImage, Frame640x480(0xC0)}), Size(640, 480)},
      {"fill bytes before the code", Join({kStartOfImage, {0xFF, 0xFF}, Frame640x480(0xC0)}),
       Size(640, 480)},
      {"stray bytes before a marker",
       Join({kStartOfImage, kApp0, {0x00, 0x12, 0xD8}, Frame640x480(0xC0)}), Size(640, 480)},
      {"tables in the SOF range are segments",
       Join({kStartOfImage, Segment(0xC4, 30), Segment(0xC8, 3), Segment(0xCC, 4),
             FrameHeader(0xC0, 7, 9)}),
       Size(9, 7)},
      {"markers without a length in T.81 are read with one",
       Join({kStartOfImage,
             {0xFF, 0xD0, 0x00, 0x02, 0xFF, 0x01, 0x00, 0x03, 0x00},
             FrameHeader(0xC0, 7, 9)}),
       Size(9, 7)},
      {"lines defined later", Join({kStartOfImage, FrameHeader(0xC0, 0, 100)}), Size(100, 0)},
      {"largest size", Join({kStartOfImage, FrameHeader(0xC0, 32767, 32767)}), Size(32767, 32767)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

TEST_F(JpegReaderTest, PassesOverAThumbnailInsideApp1) {
  // A camera's thumbnail is a JPEG with its own frame header.
  const Bytes thumbnail =
      Join({kStartOfImage, FrameHeader(0xC0, 120, 160), Segment(0xDA, 10), {0xFF, 0xD9}});
  const Bytes app1 = Join(
      {{0xFF, 0xE1}, BigEndian16(static_cast<std::uint16_t>(thumbnail.size() + 2)), thumbnail});
  EXPECT_EQ(Fields(Measure("thumb.jpg", Join({kStartOfImage, app1, FrameHeader(0xC2, 480, 640)}))),
            Fields(Size(640, 480)));
}

TEST_F(JpegReaderTest, SegmentLengthsAreUnsignedAndShortOnesSkipNothing) {
  const Case cases[] = {
      {"length 0x8000", Join({kStartOfImage, Segment(0xE1, 0x8000 - 2), FrameHeader(0xC0, 4, 5)}),
       Size(5, 4)},
      {"length 0xFFFF", Join({kStartOfImage, Segment(0xED, 0xFFFF - 2), FrameHeader(0xC0, 4, 5)}),
       Size(5, 4)},
      {"body of 0xFF bytes is not searched",
       Join({kStartOfImage, Segment(0xE2, 40, 0xFF), FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"length 1 skips nothing",
       Join({kStartOfImage, {0xFF, 0xE0, 0x00, 0x01}, FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"length 0 skips nothing",
       Join({kStartOfImage, {0xFF, 0xE0, 0x00, 0x00}, FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"length 2: empty body",
       Join({kStartOfImage, {0xFF, 0xFE, 0x00, 0x02}, FrameHeader(0xC0, 4, 5)}), Size(5, 4)},
      {"length 0x8000, body cut short",
       Join({kStartOfImage, {0xFF, 0xE1, 0x80, 0x00}, Repeat(0x7000, 0)}), Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

TEST_F(JpegReaderTest, ReportsEachKindOfBadFile) {
  const Case cases[] = {
      {"GIF content", Gif(1, 1), Failure(kJpgWrong)},
      {"second byte wrong", {0xFF, 0xD9, 0xFF, 0xC0}, Failure(kJpgWrong)},
      {"arithmetic frame header only",
       Join({kStartOfImage, FrameHeader(0xC9, 4, 5), Segment(0xDA, 10)}), Failure(kJpgStrange)},
      {"scan before any frame header", Join({kStartOfImage, kApp0, Segment(0xDA, 10)}),
       Failure(kJpgStrange)},
      {"nothing after the start", kStartOfImage, Failure(kJpgStrange)},
      {"ends after a complete segment", Join({kStartOfImage, kApp0}), Failure(kJpgStrange)},
      {"ends inside a segment body", Join({kStartOfImage, {0xFF, 0xE0, 0x00, 0x10, 1, 2}}),
       Failure(kUnsuitable)},
      {"ends inside a length", Join({kStartOfImage, {0xFF, 0xE0, 0x00}}), Failure(kUnsuitable)},
      {"ends among stray bytes", Join({kStartOfImage, kApp0, {0x00, 0x01}}), Failure(kUnsuitable)},
      {"ends among fill bytes", Join({kStartOfImage, kApp0, {0xFF, 0xFF}}), Failure(kUnsuitable)},
      {"ends inside the frame header", Join({kStartOfImage, {0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01}}),
       Failure(kUnsuitable)},
      {"height of 32768", Join({kStartOfImage, FrameHeader(0xC0, 0x8000, 5)}),
       Failure(kUnsuitable)},
      {"width of 32768", Join({kStartOfImage, FrameHeader(0xC0, 5, 0x8000)}), Failure(kUnsuitable)},
      {"width of 65535", Join({kStartOfImage, FrameHeader(0xC0, 5, 0xFFFF)}), Failure(kUnsuitable)},
      {"one byte", {0xFF}, Failure(kUnsuitable)},
      {"empty", {}, Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.jpg", c.bytes)), Fields(c.expected)) << c.what;
  }
}

}  // namespace
}  // namespace tagsmit::testing
