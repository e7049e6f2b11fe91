// The Wayland clipboard holder's own rules: the MIME types it offers and
// reads back, and the writes into readers' pipes, which no reader may hold up.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/wayland/clipboard_formats.h"
#include "platform/wayland/text_transfers.h"

namespace tagsmit::wayland {
namespace {

using Clock = TextTransfers::Clock;

// Every offered type gives the text, STRING in Latin-1 as the X11 target of
// that name; any other type gives nothing. Reading back prefers UTF-8 by name.
TEST(ClipboardFormatsTest, OfferedTypesAndTheTypeReadBack) {
  ClipboardText text("café <IMG>");
  for (const char* type : kOfferedMimeTypes) {
    const std::optional<std::string_view> data = text.As(type);
    ASSERT_TRUE(data) << type;
    EXPECT_EQ(*data, std::string(type) == "STRING" ? "caf\xE9 <IMG>" : "café <IMG>") << type;
  }
  for (const char* type :
       {"text/plain;charset=iso-8859-1", "text/html", "image/png", "string", ""}) {
    EXPECT_FALSE(text.As(type)) << type;
  }

  using Types = std::vector<std::string>;
  EXPECT_STREQ(TextMimeTypeAmong(Types(kOfferedMimeTypes.rbegin(), kOfferedMimeTypes.rend())),
               "text/plain;charset=utf-8");
  EXPECT_STREQ(TextMimeTypeAmong({"STRING", "TEXT", "UTF8_STRING"}), "UTF8_STRING");
  EXPECT_STREQ(TextMimeTypeAmong({"text/html", "text/plain"}), "text/plain");
  EXPECT_EQ(TextMimeTypeAmong({"image/png", "STRING"}), nullptr);
}

// A pipe whose write end goes to the transfers; the test reads the other end.
struct Reader {
  Reader() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) ADD_FAILURE() << "no pipe";
    fd = fds[0];
    writer = fds[1];
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader() {
    if (fd >= 0) close(fd);
  }
  // Reads what the pipe holds; true once the writer has closed it.
  bool Read() {
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) return got == 0;
      text.append(buffer, static_cast<std::size_t>(got));
    }
  }
  int fd;
  int writer;
  std::string text;
};

std::vector<pollfd> Polled(const TextTransfers& transfers) {
  std::vector<pollfd> fds;
  transfers.Watch(fds);
  poll(fds.data(), fds.size(), 0);
  return fds;
}

// More than a pipe holds, so that a reader who does not read stalls its transfer.
const std::string kLarge(4 << 20, 'x');

// A stalled reader holds up neither a quick one nor one that reads as it
// goes; once it has taken nothing for the idle limit it is given up.
TEST(TextTransfersTest, NoReaderWaitsForAnother) {
  TextTransfers transfers;
  const Clock::time_point start = Clock::now();
  Reader stalled, quick, steady;
  transfers.Start(stalled.writer, kLarge, start);
  transfers.Start(quick.writer, "<IMG>", start);
  EXPECT_TRUE(quick.Read());
  EXPECT_EQ(quick.text, "<IMG>");

  transfers.Start(steady.writer, kLarge, start);
  while (!steady.Read()) transfers.Continue(Polled(transfers), Clock::now());
  EXPECT_EQ(steady.text, kLarge);
  EXPECT_EQ(transfers.TimeoutMs(start), 10000);

  transfers.Continue(Polled(transfers), start + kIdleLimit);
  EXPECT_TRUE(transfers.empty());
  EXPECT_TRUE(stalled.Read());  // given up: the reader sees the end
  EXPECT_LT(stalled.text.size(), kLarge.size());
}

// A slow reader of a large text gets every byte while 40 readers that never
// read ask at once: room is made among them alone.
TEST(TextTransfersTest, ReadersThatNeverReadCutOffNoReader) {
  std::string text(600007, ' ');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
  TextTransfers transfers;
  const Clock::time_point start = Clock::now();
  Reader slow;
  transfers.Start(slow.writer, text, start);
  slow.Read();
  transfers.Continue(Polled(transfers), start + std::chrono::seconds(1));
  std::vector<Reader> burst(40);
  for (Reader& reader : burst)
    transfers.Start(reader.writer, text, start + std::chrono::seconds(2));
  for (Clock::time_point now = start + std::chrono::seconds(3); !slow.Read();
       now += std::chrono::milliseconds(1)) {
    transfers.Continue(Polled(transfers), now);
  }
  EXPECT_TRUE(slow.text == text) << "read " << slow.text.size() << " of " << text.size();
  const auto given_up =
      std::count_if(burst.begin(), burst.end(), [](Reader& r) { return r.Read(); });
  EXPECT_EQ(static_cast<std::size_t>(given_up), 40 - (kMaxTransfers - 1));
}

// At the bound the earliest of the readers that have read nothing (here the
// first) makes room; a reader that has gone ends its transfer (SIGPIPE does
// not end the process).
TEST(TextTransfersTest, BoundedAndReadersMayGo) {
  TextTransfers transfers;
  const Clock::time_point now = Clock::now();
  std::vector<Reader> readers(kMaxTransfers + 1);
  for (Reader& reader : readers) transfers.Start(reader.writer, kLarge, now);
  EXPECT_EQ(Polled(transfers).size(), kMaxTransfers);
  EXPECT_TRUE(readers.front().Read());
  EXPECT_FALSE(readers.back().Read());

  Reader gone;
  close(gone.fd);
  gone.fd = -1;
  transfers.Start(gone.writer, "<IMG>", now);
  EXPECT_EQ(Polled(transfers).size(), kMaxTransfers);
  EXPECT_FALSE(readers[1].Read());  // the gone reader's transfer took no room
}

}  // namespace
}  // namespace tagsmit::wayland
