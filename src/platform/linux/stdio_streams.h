#pragma once

#include <string_view>

#include "platform/standard_streams.h"

namespace tagsmit {

// The process's standard output and error through stdio, bytes as given.
class StdioStreams final : public StandardStreams {
 public:
  Status Out(std::string_view text) override;
  void Err(std::string_view text) override;
};

}  // namespace tagsmit
