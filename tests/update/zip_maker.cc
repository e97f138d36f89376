#include "update/zip_maker.h"

#include <zip.h>

#include "support/temp_folder.h"

namespace vessaro::testing {

bool MakeZip(const fs::path& archive, const std::vector<std::pair<std::string, std::string>>& entries,
             const std::string& password) {
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) return false;
  for (const auto& [name, content] : entries) {
    zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
    const zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      zip_discard(zip);
      return false;
    }
    if (!password.empty() &&
        zip_file_set_encryption(zip, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, password.c_str()) != 0) {
      zip_discard(zip);
      return false;
    }
  }
  return zip_close(zip) == 0;
}

std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& password) {
  TempFolder folder;
  const fs::path archive = folder / "made.zip";
  if (!MakeZip(archive, entries, password)) return {};
  return ReadWholeFile(archive);
}

}  // namespace vessaro::testing
