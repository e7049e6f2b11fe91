#include "platform/buffered_byte_reader.h"

#include <algorithm>
#include <cstring>

namespace tagsmit {
namespace {

constexpr std::size_t kSmallRead = 4096;
constexpr std::size_t kLargestRead = 1 << 20;

}  // namespace

bool BufferedByteReader::Read(std::span<std::uint8_t> out) {
  return ReadUpTo(out) == out.size();
}

std::size_t BufferedByteReader::ReadUpTo(std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    if (begin_ == end_ && !Refill(Refilling::kForRead)) break;
    const std::size_t count = std::min(out.size() - done, end_ - begin_);
    std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), count,
                out.begin() + static_cast<std::ptrdiff_t>(done));
    begin_ += count;
    done += count;
  }
  return done;
}

bool BufferedByteReader::Skip(std::uint64_t count) {
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

bool BufferedByteReader::AtEnd() {
  return begin_ == end_ && !Refill(Refilling::kForRead);
}

bool BufferedByteReader::SkipPast(std::uint8_t byte) {
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

bool BufferedByteReader::SkipWhile(std::uint8_t byte) {
  for (;;) {
    if (begin_ == end_ && !Refill(Refilling::kForScan)) return false;
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(begin_);
    const auto last = buffer_.begin() + static_cast<std::ptrdiff_t>(end_);
    begin_ = static_cast<std::size_t>(
        std::find_if(first, last, [byte](std::uint8_t b) { return b != byte; }) - buffer_.begin());
    if (begin_ != end_) return true;
  }
}

void BufferedByteReader::Rewind() {
  // A look at the first bytes usually leaves them in the buffer.
  if (buffer_offset_ == 0) {
    begin_ = 0;
    next_offset_ = end_;
    return;
  }
  buffer_offset_ = next_offset_ = 0;
  read_size_ = 0;
  begin_ = end_ = 0;
}

bool BufferedByteReader::Refill(Refilling why) {
  read_size_ = why == Refilling::kForScan
                   ? std::min(std::max(2 * read_size_, kSmallRead), kLargestRead)
                   : kSmallRead;
  if (buffer_.size() < read_size_) buffer_.resize(read_size_);
  const std::size_t got = ReadAt(next_offset_, std::span(buffer_.data(), read_size_));
  if (got == 0) return false;
  buffer_offset_ = next_offset_;
  begin_ = 0;
  end_ = got;
  next_offset_ += got;
  return true;
}

}  // namespace tagsmit
