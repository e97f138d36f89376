#include "common/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vessaro {

SingleInstanceLock::SingleInstanceLock(const std::string& name, const fs::path& folder, unsigned user) {
  const fs::path path = folder / (name + "-" + std::to_string(user) + ".lock");
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // Another user's lock file may not be writable; a read-only descriptor locks just as well.
  if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    // No lock can be taken at all: do not keep the user from playing.
    owned_ = true;
    return;
  }
  owned_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

unsigned SingleInstanceLock::CurrentUser() { return static_cast<unsigned>(::getuid()); }

fs::path SingleInstanceLock::DefaultLockFolder() {
  if (const char* dir = std::getenv("VESSARO_LOCK_DIR"); dir != nullptr && *dir != '\0') return dir;
  return "/tmp";
}

}  // namespace vessaro
