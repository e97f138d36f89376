// A named lock that keeps a second copy of a program from starting for the same user; other users
// of the machine run their own copy. The lock goes away with the process, even when it crashes.
#pragma once

#include <string>

#include "common/files.h"

namespace vessaro {

class SingleInstanceLock {
 public:
  // name: the lock's name ("Baccarat"); folder: where lock files live (the temporary folder);
  // user: whose copy it is (the real user id of the process by default).
  explicit SingleInstanceLock(const std::string& name, const fs::path& folder = DefaultLockFolder(),
                              unsigned user = CurrentUser());
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when this process owns the lock (no other instance holds it).
  bool owned() const { return owned_; }

  // $VESSARO_LOCK_DIR when set (tests), otherwise /tmp.
  static fs::path DefaultLockFolder();
  static unsigned CurrentUser();

 private:
  int fd_ = -1;
  bool owned_ = false;
};

}  // namespace vessaro
