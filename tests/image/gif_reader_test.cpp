#include <string>

#include "expected_messages.h"
#include "image_bytes.h"
#include "image_file_test.h"

namespace tagsmit::testing {
namespace {

using GifReaderTest = ImageFileTest;

TEST_F(GifReaderTest, ReadsTheLogicalScreenSizeWithinSixteenSignedBits) {
  struct Case {
    const char* what;
    Bytes bytes;
    SizeResult expected;
  };
  const Bytes signature87 = {'G', 'I', 'F', '8', '7', 'a'};
  const Case cases[] = {
      {"320 x 240", Join({Gif(320, 240), Repeat(20, 0)}), Size(320, 240)},
      {"only the ten header bytes", Gif(320, 240), Size(320, 240)},
      {"GIF87a", Join({signature87, LittleEndian16(1), LittleEndian16(2)}), Size(1, 2)},
      {"0 x 0 is a size", Gif(0, 0), Size(0, 0)},
      {"largest width", Join({{'G', 'I', 'F', '8', '9', 'a', 0xFF, 0x7F, 1, 0}}), Size(32767, 1)},
      {"largest height", Gif(1, 32767), Size(1, 32767)},
      {"width of 32768", Gif(0x8000, 1), Failure(kUnsuitable)},
      {"height of 65535", Gif(1, 0xFFFF), Failure(kUnsuitable)},
      {"lower-case signature", {'g', 'i', 'f', '8', '9', 'a', 1, 0, 1, 0}, Failure(kGifWrong)},
      {"unknown version", {'G', 'I', 'F', '8', '9', 'b', 1, 0, 1, 0}, Failure(kGifWrong)},
      {"a JPEG named .gif", Join({kStartOfImage, Segment(0xE0, 14)}), Failure(kGifWrong)},
      {"size cut short (8 bytes)", {'G', 'I', 'F', '8', '9', 'a', 1, 0}, Failure(kUnsuitable)},
      {"signature only", {'G', 'I', 'F', '8', '9', 'a'}, Failure(kUnsuitable)},
      {"3 bytes", {'G', 'I', 'F'}, Failure(kUnsuitable)},
      {"empty", {}, Failure(kUnsuitable)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure("image.gif", c.bytes)), Fields(c.expected)) << c.what;
  }
}

}  // namespace
}  // namespace tagsmit::testing
