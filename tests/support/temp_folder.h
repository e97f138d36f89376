// A fresh program folder for one test, removed afterwards.
#pragma once

#include <string_view>

#include "common/files.h"

namespace vessaro::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view relative) const;
  // Writes raw bytes to a file below the folder, creating its folders.
  void Write(std::string_view relative, std::string_view bytes) const;

 private:
  fs::path path_;
};

}  // namespace vessaro::testing
