#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "image_test_support.h"

namespace tagsmit::testing {
namespace {

// A file cut anywhere gives the full file's size once every byte up to the
// frame header is there, and one of the reader's failures for every shorter cut.
class TruncationTest : public ImageFileTest {
 protected:
  void CheckEveryPrefix(const std::string& name, const Bytes& whole) {
    const std::set<std::string> failures = name.ends_with(".gif")
                                               ? std::set<std::string>{kUnsuitable}
                                               : std::set<std::string>{kUnsuitable, kJpgStrange};
    const std::string path = dir_.WriteFile(name, whole);
    const SizeResult full = GetImageSize(fs_, path);
    ASSERT_EQ(full.message, "") << name;

    bool failed_longer = false;
    for (std::size_t length = whole.size(); length-- > 0;) {
      ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(length)), 0);
      const SizeResult cut = GetImageSize(fs_, path);
      if (cut.message.empty()) {
        ASSERT_FALSE(failed_longer) << name << " succeeds cut to " << length << " bytes only";
        ASSERT_EQ(Fields(cut), Fields(full)) << name << " cut to " << length << " bytes";
      } else {
        failed_longer = true;
        ASSERT_TRUE(failures.count(cut.message)) << name << " cut to " << length << " bytes";
        ASSERT_EQ(Fields(cut), Fields(Failure(cut.message.c_str())));
      }
    }
  }

  static Bytes CorpusFile(const std::string& relative) {
    std::ifstream in(std::filesystem::path(TAGSMIT_CORPUS_DIR) / relative, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_F(TruncationTest, SyntheticFiles) {
  CheckEveryPrefix("synthetic.gif", Join({Gif(300, 200), Bytes(40, 0)}));
  // APP1 longer than 32767 bytes, a table, the frame header and a scan.
  CheckEveryPrefix("synthetic.jpg", Jpeg({Segment(0xE1, Bytes(33000, 0xFF)),
                                          Segment(0xDB, Bytes(65, 0)), FrameHeader(0xC0, 768, 1024),
                                          Segment(0xDA, Bytes(10, 0)), Bytes(500, 0x5A)}));
}

TEST_F(TruncationTest, CorpusFiles) {
  if (!std::filesystem::is_directory(TAGSMIT_CORPUS_DIR)) GTEST_SKIP() << "no corpus";
  CheckEveryPrefix("GIF.gif", CorpusFile("exiftool/GIF.gif"));
  CheckEveryPrefix("testorig.jpg", CorpusFile("libjpeg/testorig.jpg"));
  CheckEveryPrefix("NikonD70.jpg", CorpusFile("exiftool/NikonD70.jpg"));
  // An APP segment longer than 32767 bytes before the frame header.
  CheckEveryPrefix("Google.jpg", CorpusFile("exiftool/Google.jpg"));
}

}  // namespace
}  // namespace tagsmit::testing
