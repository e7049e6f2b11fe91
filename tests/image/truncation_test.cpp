#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "expected_messages.h"
#include "image_bytes.h"
#include "image_file_test.h"

namespace tagsmit::testing {
namespace {

// A file cut anywhere gives the full file's size or a failure message, never
// anything else: the size only once every byte up to the frame header is
// there, a failure for every shorter cut.
class TruncationTest : public ImageFileTest {
 protected:
  void CheckEveryPrefix(const std::string& name, const Bytes& whole,
                        const std::set<std::string>& failures) {
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

  const std::set<std::string> gif_failures_{kUnsuitable};
  const std::set<std::string> jpeg_failures_{kUnsuitable, kJpgStrange};
};

TEST_F(TruncationTest, SyntheticFiles) {
  CheckEveryPrefix("synthetic.gif", Join({Gif(300, 200), Repeat(40, 0)}), gif_failures_);
  // APP1 longer than 32767 bytes, then tables, frame header and scan.
  CheckEveryPrefix("synthetic.jpg", SyntheticJpeg(1024, 768, 33000), jpeg_failures_);
}

TEST_F(TruncationTest, CorpusFiles) {
  if (!std::filesystem::is_directory(TAGSMIT_CORPUS_DIR)) GTEST_SKIP() << "no corpus";
  CheckEveryPrefix("GIF.gif", CorpusFile("exiftool/GIF.gif"), gif_failures_);
  CheckEveryPrefix("testorig.jpg", CorpusFile("libjpeg/testorig.jpg"), jpeg_failures_);
  CheckEveryPrefix("NikonD70.jpg", CorpusFile("exiftool/NikonD70.jpg"), jpeg_failures_);
  // An APP segment longer than 32767 bytes before the frame header.
  CheckEveryPrefix("Google.jpg", CorpusFile("exiftool/Google.jpg"), jpeg_failures_);
}

}  // namespace
}  // namespace tagsmit::testing
