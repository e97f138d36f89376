#include "update/confined_path.h"

#include <vector>

namespace vessaro {
namespace {

// The parts of a relative path split at either separator; empty and "." parts dropped.
std::optional<std::vector<std::string>> SafeParts(std::string_view relative) {
  if (relative.empty()) return std::nullopt;
  if (relative.front() == '/' || relative.front() == '\\') return std::nullopt;
  if (relative.back() == '/' || relative.back() == '\\') return std::nullopt;
  std::vector<std::string> parts;
  std::string part;
  auto finish = [&]() -> bool {
    if (part == "..") return false;
    if (!part.empty() && part != ".") parts.push_back(part);
    part.clear();
    return true;
  };
  for (char c : relative) {
    const auto byte = static_cast<unsigned char>(c);
    // A colon names a drive or a stream on the systems the server also serves.
    if (byte < 0x20 || byte == 0x7F || c == ':') return std::nullopt;
    if (c == '/' || c == '\\') {
      if (!finish()) return std::nullopt;
    } else {
      part.push_back(c);
    }
  }
  if (!finish() || parts.empty()) return std::nullopt;
  return parts;
}

bool IsBelow(const fs::path& real_base, const fs::path& real_path) {
  auto b = real_base.begin();
  auto p = real_path.begin();
  for (; b != real_base.end(); ++b, ++p) {
    if (b->empty() && std::next(b) == real_base.end()) break;  // trailing separator of base
    if (p == real_path.end() || *b != *p) return false;
  }
  return p != real_path.end();
}

}  // namespace

bool IsConfinedRelativePath(std::string_view relative) { return SafeParts(relative).has_value(); }

PathConfiner::PathConfiner(fs::path base) : base_(std::move(base)) {
  std::error_code ec;
  real_base_ = fs::weakly_canonical(base_, ec);
  if (ec) real_base_.clear();
}

std::optional<PathConfiner::Resolved> PathConfiner::Resolve(std::string_view relative) const {
  if (real_base_.empty()) return std::nullopt;
  auto parts = SafeParts(relative);
  if (!parts) return std::nullopt;
  Resolved r{base_, {}};
  for (const std::string& p : *parts) r.path /= p;
  std::error_code ec;
  r.real = fs::weakly_canonical(r.path, ec);
  if (ec || !IsBelow(real_base_, r.real)) return std::nullopt;
  return r;
}

std::optional<std::string> FlatFileName(std::string_view relative) {
  auto parts = SafeParts(relative);
  if (!parts) return std::nullopt;
  return parts->back();
}

}  // namespace vessaro
