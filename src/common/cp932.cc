#include "common/cp932.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

namespace vessaro {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decoding: one entry per single byte and per lead/trail pair; 0 means "no character".
// Encoding: one entry per BMP code point holding the 1- or 2-byte form (0 = none).
struct Tables {
  std::array<char32_t, 256> single{};
  std::array<bool, 256> is_lead{};
  std::vector<char32_t> pair;       // index (lead << 8) | trail
  std::vector<uint16_t> encode;     // index code point, value bytes (2-byte forms have high byte)
  std::vector<uint8_t> encode_len;  // 0 none, 1 or 2
};

char32_t DecodeWithIconv(iconv_t cd, const char* in, size_t len) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char out_buf[8];
  char* in_ptr = const_cast<char*>(in);
  size_t in_left = len;
  char* out_ptr = out_buf;
  size_t out_left = sizeof(out_buf);
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1) || in_left != 0)
    return 0;
  if (out_ptr - out_buf != 4) return 0;
  char32_t cp;
  __builtin_memcpy(&cp, out_buf, 4);
  return cp;
}

Tables BuildTables() {
  Tables t;
  t.pair.assign(65536, 0);
  t.encode.assign(65536, 0);
  t.encode_len.assign(65536, 0);
  iconv_t dec = iconv_open("UTF-32LE", "CP932");
  iconv_t enc = iconv_open("CP932", "UTF-32LE");
  if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
    // Without glibc's converter we still handle ASCII.
    for (int b = 0; b < 0x80; ++b) {
      t.single[b] = static_cast<char32_t>(b);
      t.encode[b] = static_cast<uint16_t>(b);
      t.encode_len[b] = 1;
    }
    return t;
  }
  for (int b = 0; b < 256; ++b) {
    t.is_lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (t.is_lead[b]) continue;
    char c = static_cast<char>(b);
    t.single[b] = b == 0 ? 0 : DecodeWithIconv(dec, &c, 1);
  }
  for (int lead = 0; lead < 256; ++lead) {
    if (!t.is_lead[lead]) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      t.pair[(lead << 8) | trail] = DecodeWithIconv(dec, bytes, 2);
    }
  }
  // Encoding: ask iconv for every BMP code point so that its own choice wins where several byte
  // sequences decode to one character (NEC and IBM extensions).
  for (uint32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    iconv(enc, nullptr, nullptr, nullptr, nullptr);
    char in_buf[4];
    __builtin_memcpy(in_buf, &cp, 4);
    char out_buf[8];
    char* in_ptr = in_buf;
    size_t in_left = 4;
    char* out_ptr = out_buf;
    size_t out_left = sizeof(out_buf);
    if (iconv(enc, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) continue;
    size_t n = static_cast<size_t>(out_ptr - out_buf);
    if (n == 1) {
      t.encode[cp] = static_cast<uint8_t>(out_buf[0]);
      t.encode_len[cp] = 1;
    } else if (n == 2) {
      t.encode[cp] = static_cast<uint16_t>((static_cast<uint8_t>(out_buf[0]) << 8) |
                                           static_cast<uint8_t>(out_buf[1]));
      t.encode_len[cp] = 2;
    }
  }
  t.encode[0] = 0;
  t.encode_len[0] = 1;
  iconv_close(dec);
  iconv_close(enc);
  return t;
}

const Tables& GetTables() {
  static const Tables tables = BuildTables();
  return tables;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Reads one UTF-8 character at pos; returns false for malformed input (and advances one byte).
bool NextUtf8(std::string_view s, size_t& pos, char32_t& cp) {
  auto b0 = static_cast<uint8_t>(s[pos]);
  if (b0 < 0x80) {
    cp = b0;
    ++pos;
    return true;
  }
  int len = (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || pos + len > s.size()) {
    ++pos;
    return false;
  }
  char32_t v = b0 & (0x7F >> len);
  for (int i = 1; i < len; ++i) {
    auto b = static_cast<uint8_t>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return false;
    }
    v = (v << 6) | (b & 0x3F);
  }
  pos += len;
  cp = v;
  return true;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Shared encoder: returns false on the first unencodable character unless lossy. Log lines are
// mostly ASCII with a few Japanese words, so ASCII runs are copied whole and the common
// three-byte characters are decoded inline.
bool Encode(std::string_view text, std::string& out, bool lossy) {
  const Tables& t = GetTables();
  const size_t n = text.size();
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  while (pos < n) {
    if (p[pos] < 0x80) {
      size_t end = pos + 1;
      while (end < n && p[end] < 0x80) ++end;
      out.append(text.data() + pos, end - pos);
      pos = end;
      continue;
    }
    char32_t cp = 0;
    bool ok;
    if ((p[pos] & 0xF0) == 0xE0 && pos + 2 < n && (p[pos + 1] & 0xC0) == 0x80 && (p[pos + 2] & 0xC0) == 0x80) {
      cp = (static_cast<char32_t>(p[pos] & 0x0F) << 12) | (static_cast<char32_t>(p[pos + 1] & 0x3F) << 6) |
           (p[pos + 2] & 0x3F);
      pos += 3;
      ok = true;
    } else {
      ok = NextUtf8(text, pos, cp);
    }
    if (ok && cp < 0x10000 && t.encode_len[cp] != 0) {
      const uint16_t v = t.encode[cp];
      if (t.encode_len[cp] == 2) out.push_back(static_cast<char>(v >> 8));
      out.push_back(static_cast<char>(v & 0xFF));
      continue;
    }
    if (!lossy) return false;
    out.push_back('?');
  }
  return true;
}

}  // namespace

std::string DecodeCp932(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  const Tables& t = GetTables();
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (size_t i = 0; i < bytes.size();) {
    auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (t.is_lead[b]) {
      if (i + 1 < bytes.size()) {
        auto trail = static_cast<uint8_t>(bytes[i + 1]);
        char32_t cp = t.pair[(b << 8) | trail];
        if (cp != 0) {
          AppendUtf8(out, cp);
          i += 2;
          continue;
        }
      }
      // An unassigned pair is still one character: its trail byte must not surface as a
      // backslash or a separator and split a field.
      const bool trail_follows = i + 1 < bytes.size() && static_cast<uint8_t>(bytes[i + 1]) >= 0x40 &&
                                 static_cast<uint8_t>(bytes[i + 1]) <= 0xFC &&
                                 static_cast<uint8_t>(bytes[i + 1]) != 0x7F;
      AppendUtf8(out, kReplacement);
      i += trail_follows ? 2 : 1;
      continue;
    }
    char32_t cp = t.single[b];
    AppendUtf8(out, cp != 0 ? cp : kReplacement);
    ++i;
  }
  return out;
}

std::optional<std::string> EncodeCp932(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  std::string out;
  if (!Encode(text, out, false)) return std::nullopt;
  return out;
}

void AppendCp932Lossy(std::string& out, std::string_view text) { Encode(text, out, true); }

std::string EncodeCp932Lossy(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  std::string out;
  Encode(text, out, true);
  return out;
}

bool IsCp932Encodable(std::string_view text) { return EncodeCp932(text).has_value(); }

size_t Cp932Length(std::string_view text) {
  if (IsAscii(text)) return text.size();
  const Tables& t = GetTables();
  size_t n = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp;
    bool ok = NextUtf8(text, pos, cp);
    n += (ok && cp < 0x10000 && t.encode_len[cp] == 1) ? 1 : 2;
  }
  return n;
}

std::string DecodeFileText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    // Keep well-formed UTF-8; a malformed sequence is replaced rather than trusted.
    std::string_view body = bytes.substr(3);
    std::string out;
    out.reserve(body.size());
    size_t pos = 0;
    while (pos < body.size()) {
      size_t start = pos;
      char32_t cp;
      if (NextUtf8(body, pos, cp))
        out.append(body.substr(start, pos - start));
      else
        AppendUtf8(out, kReplacement);
    }
    return out;
  }
  return DecodeCp932(bytes);
}

}  // namespace vessaro
