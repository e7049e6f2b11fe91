#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>

#include "expected_messages.h"
#include "image_bytes.h"
#include "image_file_test.h"
#include "unprivileged.h"

namespace tagsmit::testing {
namespace {

using ImageSizeTest = ImageFileTest;

TEST_F(ImageSizeTest, ChoosesTheReaderByTheLastThreeCharacters) {
  const Bytes gif = Gif(320, 240);
  const Bytes jpeg = Join({kStartOfImage, FrameHeader(0xC0, 480, 640)});
  struct Case {
    const char* name;
    Bytes bytes;
    SizeResult expected;
  };
  const Case cases[] = {
      {"a.gif", gif, Size(320, 240)},
      {"A.GIF", gif, Size(320, 240)},
      {"b.Gif", gif, Size(320, 240)},
      {"photo.jpg", jpeg, Size(640, 480)},
      {"PHOTO.JPG", jpeg, Size(640, 480)},
      {"xgif", gif, Size(320, 240)},  // no dot needed
      {".gif", gif, Size(320, 240)},
      {"写真.GIF", gif, Size(320, 240)},
      {"café.jpg", jpeg, Size(640, 480)},
      {"a.jpeg", jpeg, Failure(kNotGifOrJpg)},
      {"a.jpe", jpeg, Failure(kNotGifOrJpg)},
      {"a.gif.png", gif, Failure(kNotGifOrJpg)},
      {"photo.png", gif, Failure(kNotGifOrJpg)},
      {"画像ｇｉｆ", gif, Failure(kNotGifOrJpg)},  // full-width letters are other letters
      {"gi", gif, Failure(kNotGifOrJpg)},
      {"x.jpg", gif, Failure(kJpgWrong)},  // the name decides, not the content
      {"x.gif", jpeg, Failure(kGifWrong)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(Measure(c.name, c.bytes)), Fields(c.expected)) << c.name;
  }
}

TEST_F(ImageSizeTest, MissingFileIsToldApartFromEveryOtherFailure) {
  dir_.MakeFolder("pics.gif");
  const std::string file = dir_.WriteFile("file.gif", Gif(1, 1));
  struct Case {
    std::string path;
    const char* expected;
  };
  const Case cases[] = {
      {dir_.PathOf("absent.gif"), kMissing},
      {dir_.PathOf("photo.png"), kMissing},  // existence comes before the name test
      {dir_.PathOf("absent-folder/a.gif"), kUnsuitable},
      {dir_.PathOf("pics.gif"), kUnsuitable},
      {file + "/a.gif", kUnsuitable},
      {file + "/", kUnsuitable},
      {"/dev/null", kUnsuitable},
      {"", kUnsuitable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(GetImageSize(fs_, c.path)), Fields(Failure(c.expected))) << c.path;
  }
}

TEST_F(ImageSizeTest, FifoIsUnsuitableAndNeverWaitsForAWriter) {
  const std::string path = dir_.PathOf("pipe.gif");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::future<SizeResult> query = std::async(std::launch::async, [&] {
    PosixFileSystem fs;
    return GetImageSize(fs, path);
  });
  if (query.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the size query waits on a FIFO";
    // A writer that comes and goes releases a blocked open or read.
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  EXPECT_EQ(Fields(query.get()), Fields(Failure(kUnsuitable)));
}

TEST_F(ImageSizeTest, FileOrFolderDeniedByPermissionsIsUnsuitable) {
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  const std::string unreadable = dir_.WriteFile("unreadable.gif", Gif(1, 1));
  ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);
  const std::string locked = dir_.MakeFolder("locked");
  ASSERT_EQ(::chmod(locked.c_str(), 0700), 0);

  const auto measure_as_nobody = [&](const std::string& path) {
    if (!BecomeUnprivileged()) std::_Exit(2);
    std::_Exit(GetImageSize(fs_, path).message == kUnsuitable ? 0 : 1);
  };
  EXPECT_EXIT(measure_as_nobody(unreadable), ::testing::ExitedWithCode(0), "");
  // Whether "absent.gif" is missing cannot be known without entering the folder.
  EXPECT_EXIT(measure_as_nobody(locked + "/absent.gif"), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tagsmit::testing
