#include "platform/posix/posix_byte_reader.h"

#include <unistd.h>

#include <sys/types.h>
#include <algorithm>
#include <cerrno>

namespace tagsmit {

PosixByteReader::PosixByteReader(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

PosixByteReader::~PosixByteReader() {
  ::close(fd_);
}

bool PosixByteReader::Read(std::span<std::uint8_t> out) {
  while (!out.empty()) {
    if (begin_ == end_ && !Refill()) return false;
    const std::size_t count = std::min(out.size(), end_ - begin_);
    std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), count, out.begin());
    begin_ += count;
    out = out.subspan(count);
  }
  return true;
}

bool PosixByteReader::Skip(std::uint64_t count) {
  const std::size_t buffered = end_ - begin_;
  if (count <= buffered) {
    begin_ += static_cast<std::size_t>(count);
    return true;
  }
  count -= buffered;
  begin_ = end_;
  // Checked against the size, since an offset beyond the end reads as an
  // empty file rather than as an error.
  if (next_offset_ > size_ || count > size_ - next_offset_) return false;
  next_offset_ += count;
  return true;
}

bool PosixByteReader::AtEnd() {
  return begin_ == end_ && !Refill();
}

bool PosixByteReader::Refill() {
  ssize_t got = 0;
  do {
    got = ::pread(fd_, buffer_.data(), buffer_.size(), static_cast<off_t>(next_offset_));
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return false;
  begin_ = 0;
  end_ = static_cast<std::size_t>(got);
  next_offset_ += end_;
  return true;
}

}  // namespace tagsmit
