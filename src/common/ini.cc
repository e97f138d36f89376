#include "common/ini.h"

#include <cstddef>

#include "common/text.h"

namespace vessaro {

const IniDocument::Entry* IniDocument::Section::Find(std::string_view key) const {
  auto it = index.find(ToUpperAscii(key));
  return it == index.end() ? nullptr : &entries[it->second];
}

IniDocument::Entry* IniDocument::Section::Find(std::string_view key) {
  auto it = index.find(ToUpperAscii(key));
  return it == index.end() ? nullptr : &entries[it->second];
}

void IniDocument::Section::Add(std::string key, std::string value) {
  index.emplace(ToUpperAscii(key), entries.size());
  entries.push_back(Entry{std::move(key), std::move(value)});
}

IniDocument::Section& IniDocument::AddSection(std::string name) {
  section_index_.emplace(ToUpperAscii(name), sections_.size());
  sections_.push_back(Section{std::move(name), {}, {}});
  return sections_.back();
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  size_t current = std::string::npos;
  // Lines are looked at in place and each key is copied once for its entry and once, upper-case,
  // for the index: hand-made files of a million keys must load in moments.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = TrimView(text.substr(start, end - start));
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name = TrimView(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      auto known = doc.section_index_.find(ToUpperAscii(name));
      if (known != doc.section_index_.end()) {
        current = known->second;
      } else {
        doc.AddSection(std::string(name));
        current = doc.sections_.size() - 1;
      }
      continue;
    }
    if (current == std::string::npos) continue;  // keys before any section belong nowhere
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = TrimView(line.substr(0, eq));
    if (key.empty()) continue;
    Section& section = doc.sections_[current];
    // The first of two equal keys wins, as it always has.
    if (section.index.try_emplace(ToUpperAscii(key), section.entries.size()).second)
      section.entries.push_back(Entry{std::string(key), std::string(TrimView(line.substr(eq + 1)))});
  }
  return doc;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  auto it = section_index_.find(ToUpperAscii(name));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  auto it = section_index_.find(ToUpperAscii(name));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  return s != nullptr && s->Find(key) != nullptr;
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return {};
  const Entry* e = s->Find(key);
  return e == nullptr ? std::string() : e->value;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(section);
  if (s == nullptr) s = &AddSection(std::string(section));
  if (Entry* e = s->Find(key)) {
    e->value = std::string(value);
    return;
  }
  s->Add(std::string(key), std::string(value));
}

void IniDocument::RemoveSection(std::string_view section) {
  auto it = section_index_.find(ToUpperAscii(section));
  if (it == section_index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  section_index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) section_index_.emplace(ToUpperAscii(sections_[i].name), i);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->entries) names.push_back(e.key);
  return names;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    out += "[" + s.name + "]\r\n";
    for (const Entry& e : s.entries) out += e.key + "=" + e.value + "\r\n";
  }
  return out;
}

}  // namespace vessaro
