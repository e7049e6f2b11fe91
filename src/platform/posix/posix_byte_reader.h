#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/buffered_byte_reader.h"

namespace tagsmit {

// Buffered reads of a POSIX file descriptor (pread).
class PosixByteReader final : public BufferedByteReader {
 public:
  // Takes ownership of `fd`, an open regular file that held `size` bytes when
  // it was opened.
  PosixByteReader(int fd, std::uint64_t size) : BufferedByteReader(size), fd_(fd) {}
  ~PosixByteReader() override;
  PosixByteReader(const PosixByteReader&) = delete;
  PosixByteReader& operator=(const PosixByteReader&) = delete;

 private:
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

  int fd_;
};

}  // namespace tagsmit
