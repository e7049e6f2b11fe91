#pragma once

#include <string_view>

#include "platform/standard_streams.h"

namespace tagsmit {

// Standard output and error of Tagsmit.exe. Windows starts a GUI program
// without a console, so each stream is the handle the caller handed over (a
// pipe or a file, as editors and scripts give them, or NUL), else the console
// of the process that started it. Line breaks become "\r\n"; a console gets
// UTF-16 (WriteConsoleW), so that every character shows whatever its code
// page, anything else UTF-8.
class Win32StandardStreams final : public StandardStreams {
 public:
  Win32StandardStreams();
  ~Win32StandardStreams() override;
  Win32StandardStreams(const Win32StandardStreams&) = delete;
  Win32StandardStreams& operator=(const Win32StandardStreams&) = delete;

  Status Out(std::string_view text) override;
  void Err(std::string_view text) override;

  // Err for a program that writes nothing else: standard output is left
  // alone, and standard error is open for this one write.
  static void WriteError(std::string_view text);

 private:
  struct Stream {
    void* handle = nullptr;  // nothing to write to when null
    bool console = false;
    bool owned = false;  // opened here, closed when no longer written to
  };
  static Stream Open(unsigned long which);
  static Status Write(const Stream& stream, std::string_view text);

  Stream out_;
  Stream err_;
};

}  // namespace tagsmit
