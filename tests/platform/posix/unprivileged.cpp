#include "unprivileged.h"

#include <grp.h>
#include <unistd.h>

namespace tagsmit::testing {

bool BecomeUnprivileged() {
  if (::geteuid() != 0) return true;
  constexpr gid_t kNobodyGroup = 65534;
  constexpr uid_t kNobody = 65534;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobodyGroup) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace tagsmit::testing
