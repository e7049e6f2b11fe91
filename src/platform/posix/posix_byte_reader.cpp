#include "platform/posix/posix_byte_reader.h"

#include <unistd.h>

#include <sys/types.h>
#include <cerrno>

namespace tagsmit {

PosixByteReader::~PosixByteReader() {
  ::close(fd_);
}

std::size_t PosixByteReader::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  ssize_t got = 0;
  do {
    got = ::pread(fd_, out.data(), out.size(), static_cast<off_t>(offset));
  } while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

}  // namespace tagsmit
