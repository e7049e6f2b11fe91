#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "temp_dir.h"

namespace tagsmit {
namespace {

using testing::Bytes;
using testing::TempDir;

// Bytes whose value tells their offset, so a read from the wrong place shows.
Bytes Numbered(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  return bytes;
}

class PosixByteReaderTest : public ::testing::Test {
 protected:
  std::unique_ptr<ByteReader> Open(const Bytes& content) {
    OpenResult opened = fs_.OpenForReading(dir_.WriteFile("data", content));
    EXPECT_NE(opened.reader, nullptr);
    return std::move(opened.reader);
  }

  TempDir dir_;
  PosixFileSystem fs_;
};

TEST_F(PosixByteReaderTest, ReadsAndSkipsAcrossBufferBoundaries) {
  const Bytes content = Numbered(20000);
  auto in = Open(content);
  ASSERT_NE(in, nullptr);

  std::array<std::uint8_t, 3> head{};
  ASSERT_TRUE(in->Read(head));
  EXPECT_EQ(Bytes(head.begin(), head.end()), Bytes(content.begin(), content.begin() + 3));

  Bytes long_read(9000);  // more than one buffer's worth
  ASSERT_TRUE(in->Read(long_read));
  EXPECT_EQ(long_read, Bytes(content.begin() + 3, content.begin() + 9003));

  ASSERT_TRUE(in->Skip(10));  // inside what is buffered
  std::uint8_t byte = 0;
  ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  EXPECT_EQ(byte, content[9013]);

  ASSERT_TRUE(in->Skip(8000));  // beyond the buffer
  ASSERT_TRUE(in->Read(std::span(&byte, 1)));
  EXPECT_EQ(byte, content[17014]);
  EXPECT_FALSE(in->AtEnd());

  ASSERT_TRUE(in->Skip(content.size() - 17015));  // exactly to the end
  EXPECT_TRUE(in->AtEnd());
  EXPECT_FALSE(in->Read(std::span(&byte, 1)));
}

TEST_F(PosixByteReaderTest, SkippingOrReadingPastTheEndFails) {
  const Bytes content = Numbered(10000);
  {
    auto in = Open(content);
    EXPECT_FALSE(in->Skip(content.size() + 1));
  }
  {
    auto in = Open(content);
    std::array<std::uint8_t, 10> some{};
    ASSERT_TRUE(in->Read(some));
    EXPECT_FALSE(in->Skip(content.size() - 9));
  }
  {
    auto in = Open(content);
    ASSERT_TRUE(in->Skip(5000));
    EXPECT_FALSE(in->Skip(std::numeric_limits<std::uint64_t>::max()));
  }
  {
    auto in = Open(content);
    ASSERT_TRUE(in->Skip(content.size() - 2));
    std::array<std::uint8_t, 3> tail{};
    EXPECT_FALSE(in->Read(tail));
  }
  {
    auto in = Open({});
    EXPECT_TRUE(in->AtEnd());
    EXPECT_TRUE(in->Skip(0));
    EXPECT_FALSE(in->Skip(1));
  }
}

}  // namespace
}  // namespace tagsmit
