// Paths that come from the update server or an update archive are untrusted: these checks keep
// every file the update writes inside its base folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/files.h"

namespace vessaro {

// A relative path written with "/" or "\" between its parts ("image/a b.gif"). False when it is
// empty, absolute or rooted, names a drive, has a ".." part, holds a control character or a
// colon, or ends in a separator (a folder, not a file).
bool IsConfinedRelativePath(std::string_view relative);

// Paths below one base folder: base + relative when IsConfinedRelativePath holds and the result,
// with the links that already exist resolved, still lies below base.
class PathConfiner {
 public:
  explicit PathConfiner(fs::path base);
  struct Resolved {
    fs::path path;  // base + relative
    fs::path real;  // with links resolved
  };
  std::optional<Resolved> Resolve(std::string_view relative) const;

 private:
  fs::path base_;
  fs::path real_base_;  // empty when base cannot be resolved: nothing is confined
};

// The last part of a confined relative path (the name "unzip -j" keeps); nullopt when the path is
// not confined.
std::optional<std::string> FlatFileName(std::string_view relative);

}  // namespace vessaro
