// A program run as a user who is not root, where the tests run as root
// (as in CI): the run keeps its user id, and so its access to the test's
// folders, but starts without the capabilities that let root open, change
// or replace any file whatever its permissions. A read-only file is then
// refused to it by the system exactly as to any other user.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <linux/capability.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace tsd::testkit {

// Takes root's file rights from this process and every program it starts
// (they are dropped from the bounding set, which a started program's
// rights cannot exceed). Nothing to do for a user who is not root. False
// when the rights could not be dropped.
inline bool dropfilerights() {
  if (geteuid() != 0) return true;
  for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER, CAP_LINUX_IMMUTABLE}) {
    if (prctl(PR_CAPBSET_DROP, cap, 0, 0, 0) != 0) return false;
  }
  return true;
}

}  // namespace tsd::testkit
