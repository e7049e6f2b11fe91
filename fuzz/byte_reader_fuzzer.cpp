// The POSIX byte reader against the test file system's plain reader: the same
// file, then the same sequence of reads, skips, scans and rewinds on both, which must
// give the same answers and bytes. Files are built from runs, so that a short
// input makes a file of megabytes: scans outgrow the first read and the reads
// double up to their cap.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "fuzz_check.h"
#include "memory_file.h"
#include "platform/posix/posix_file_system.h"

namespace {

constexpr std::size_t kLargestFile = 4 << 20;

// Small counts most of the time, any count now and then.
std::uint64_t Count(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return input.ConsumeIntegralInRange<std::uint64_t>(0, 16);
    case 1:
      return input.ConsumeIntegralInRange<std::uint64_t>(0, 1 << 16);
    case 2:
      return input.ConsumeIntegralInRange<std::uint64_t>(0, 6 << 20);
    default:
      return input.ConsumeIntegral<std::uint64_t>();
  }
}

std::string MakeFile(FuzzedDataProvider& input) {
  std::string file;
  const int parts = input.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < parts && file.size() < kLargestFile; ++i) {
    if (input.ConsumeBool()) {
      const auto byte = input.ConsumeIntegral<char>();
      file.append(static_cast<std::size_t>(Count(input) % (5 << 19)), byte);
    } else {
      file += input.ConsumeRandomLengthString(256);
    }
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tagsmit;
  FuzzedDataProvider input(data, size);
  const std::string bytes = MakeFile(input);

  testing::FakeFileSystem fake(PathStyle::Posix);
  fake.AddFile("/f", bytes);
  static fuzz::MemoryFile file;
  file.Hold(bytes);
  PosixFileSystem posix;
  const OpenedFile expected_open = fake.OpenForReading("/f");
  const OpenedFile open = posix.OpenForReading(file.Path());
  FUZZ_CHECK(open.ok());
  ByteReader& plain = *expected_open.value();
  ByteReader& real = *open.value();

  // A reader that has answered false has nothing defined left to check.
  bool going = true;
  while (going && input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange(0, 6)) {
      case 0: {
        const auto count = static_cast<std::size_t>(Count(input) % (6 << 20));
        std::vector<std::uint8_t> want(count), got(count);
        going = plain.Read(want);
        FUZZ_CHECK_EQ(real.Read(got), going);
        if (going) FUZZ_CHECK(want == got);
        break;
      }
      case 1: {
        const std::uint64_t count = Count(input);
        going = plain.Skip(count);
        FUZZ_CHECK_EQ(real.Skip(count), going);
        break;
      }
      case 2:
        FUZZ_CHECK_EQ(real.AtEnd(), plain.AtEnd());
        break;
      case 3: {
        const auto byte = input.ConsumeIntegral<std::uint8_t>();
        going = plain.SkipPast(byte);
        FUZZ_CHECK_EQ(real.SkipPast(byte), going);
        break;
      }
      case 4: {
        const auto count = static_cast<std::size_t>(Count(input) % (6 << 20));
        std::vector<std::uint8_t> want(count), got(count);
        const std::size_t read = plain.ReadUpTo(want);
        FUZZ_CHECK_EQ(real.ReadUpTo(got), read);
        FUZZ_CHECK(want == got);
        break;
      }
      case 5:
        plain.Rewind();
        real.Rewind();
        break;
      default: {
        const auto byte = input.ConsumeIntegral<std::uint8_t>();
        going = plain.SkipWhile(byte);
        FUZZ_CHECK_EQ(real.SkipWhile(byte), going);
        break;
      }
    }
  }
  return 0;
}
