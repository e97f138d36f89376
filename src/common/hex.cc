#include "common/hex.h"

#include "common/cp932.h"

namespace vessaro {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string HexEncodeBytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0xF]);
  }
  return out;
}

std::optional<std::string> HexDecodeBytes(std::string_view hex) {
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    int hi = HexValue(hex[i]);
    int lo = HexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>((hi << 4) | lo));
  }
  return out;
}

std::string HexEncodeText(std::string_view text) { return HexEncodeBytes(EncodeCp932Lossy(text)); }

std::optional<std::string> HexDecodeText(std::string_view hex) {
  auto bytes = HexDecodeBytes(hex);
  if (!bytes) return std::nullopt;
  return DecodeCp932(*bytes);
}

std::optional<std::string> HexDecodeFileText(std::string_view file_bytes) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!file_bytes.empty() && blank(file_bytes.front())) file_bytes.remove_prefix(1);
  while (!file_bytes.empty() && blank(file_bytes.back())) file_bytes.remove_suffix(1);
  return HexDecodeText(file_bytes);
}

}  // namespace vessaro
