#pragma once

namespace tagsmit::testing {

// Root passes every permission check. In a child process of a death test,
// this makes the process an ordinary user ("nobody") so that file modes bind;
// it does nothing for a process that is not root. Returns false on failure.
bool BecomeUnprivileged();

}  // namespace tagsmit::testing
