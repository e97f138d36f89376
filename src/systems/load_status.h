// The answer of every loader of this module: loaded, or why not with the message to show.
#pragma once

#include <string>

namespace vessaro {

enum class LoadError {
  kNone,
  kMissing,  // the file does not exist
  kInvalid,  // the file exists but cannot be used (its message says why)
};

struct LoadStatus {
  LoadError error = LoadError::kNone;
  std::string message;  // empty when loaded

  bool ok() const { return error == LoadError::kNone; }
  static LoadStatus Ok() { return {}; }
  static LoadStatus Missing(std::string message) {
    return {LoadError::kMissing, std::move(message)};
  }
  static LoadStatus Invalid(std::string message) {
    return {LoadError::kInvalid, std::move(message)};
  }
};

}  // namespace vessaro
