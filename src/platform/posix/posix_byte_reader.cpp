#include "platform/posix/posix_byte_reader.h"

#include <unistd.h>

#include <sys/types.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tagsmit {
namespace {

constexpr std::size_t kSmallRead = 4096;
constexpr std::size_t kLargestRead = 1 << 20;

}  // namespace

PosixByteReader::PosixByteReader(int fd, std::uint64_t size) : fd_(fd), size_(size) {}

PosixByteReader::~PosixByteReader() {
  ::close(fd_);
}

bool PosixByteReader::Read(std::span<std::uint8_t> out) {
  while (!out.empty()) {
    if (begin_ == end_ && !Refill(Refilling::kForRead)) return false;
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
  return begin_ == end_ && !Refill(Refilling::kForRead);
}

bool PosixByteReader::SkipPast(std::uint8_t byte) {
  for (;;) {
    if (begin_ == end_ && !Refill(Refilling::kForScan)) return false;
    const void* found = std::memchr(buffer_.data() + begin_, byte, end_ - begin_);
    if (found != nullptr) {
      begin_ = static_cast<const std::uint8_t*>(found) - buffer_.data() + 1;
      return true;
    }
    begin_ = end_;
  }
}

bool PosixByteReader::SkipWhile(std::uint8_t byte) {
  for (;;) {
    if (begin_ == end_ && !Refill(Refilling::kForScan)) return false;
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(begin_);
    const auto last = buffer_.begin() + static_cast<std::ptrdiff_t>(end_);
    begin_ = static_cast<std::size_t>(
        std::find_if(first, last, [byte](std::uint8_t b) { return b != byte; }) - buffer_.begin());
    if (begin_ != end_) return true;
  }
}

bool PosixByteReader::Refill(Refilling why) {
  read_size_ = why == Refilling::kForScan
                   ? std::min(std::max(2 * read_size_, kSmallRead), kLargestRead)
                   : kSmallRead;
  if (buffer_.size() < read_size_) buffer_.resize(read_size_);
  ssize_t got = 0;
  do {
    got = ::pread(fd_, buffer_.data(), read_size_, static_cast<off_t>(next_offset_));
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return false;
  begin_ = 0;
  end_ = static_cast<std::size_t>(got);
  next_offset_ += end_;
  return true;
}

}  // namespace tagsmit
