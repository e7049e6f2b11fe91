#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/file_system.h"

namespace tagsmit {

// Sequential reads through a buffer. Reads are small (a header needs a few
// bytes), except while SkipPast or SkipWhile scan: each read of a scan doubles
// in size, so a long stretch costs few system calls. Skips move the read offset
// without touching the bytes passed over, so a skip costs the same whatever its
// length.
class PosixByteReader final : public ByteReader {
 public:
  // Takes ownership of `fd`, an open regular file that held `size` bytes when
  // it was opened.
  PosixByteReader(int fd, std::uint64_t size);
  ~PosixByteReader() override;
  PosixByteReader(const PosixByteReader&) = delete;
  PosixByteReader& operator=(const PosixByteReader&) = delete;

  bool Read(std::span<std::uint8_t> out) override;
  bool Skip(std::uint64_t count) override;
  bool AtEnd() override;
  bool SkipPast(std::uint8_t byte) override;
  bool SkipWhile(std::uint8_t byte) override;

 private:
  enum class Refilling { kForRead, kForScan };
  bool Refill(Refilling why);

  int fd_;
  std::uint64_t size_;
  std::uint64_t next_offset_ = 0;  // where the next refill reads from
  std::vector<std::uint8_t> buffer_;
  std::size_t read_size_ = 0;  // of the last refill
  std::size_t begin_ = 0;      // unread bytes are buffer_[begin_, end_)
  std::size_t end_ = 0;
};

}  // namespace tagsmit
