#include "common/ini.h"

#include "common/text.h"

namespace vessaro {

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  Section* current = nullptr;
  for (const std::string& raw : SplitLines(text)) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      current = doc.FindSection(name);
      if (current == nullptr) {
        doc.sections_.push_back(Section{name, {}});
        current = &doc.sections_.back();
      }
      continue;
    }
    if (current == nullptr) continue;  // keys before any section belong nowhere
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    bool known = false;
    for (const Entry& e : current->entries) known |= EqualsIgnoreCase(e.key, key);
    if (!known) current->entries.push_back(Entry{key, Trim(line.substr(eq + 1))});
  }
  return doc;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (EqualsIgnoreCase(s.name, name)) return &s;
  return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  for (Section& s : sections_)
    if (EqualsIgnoreCase(s.name, name)) return &s;
  return nullptr;
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return false;
  for (const Entry& e : s->entries)
    if (EqualsIgnoreCase(e.key, key)) return true;
  return false;
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return {};
  for (const Entry& e : s->entries)
    if (EqualsIgnoreCase(e.key, key)) return e.value;
  return {};
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = FindSection(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (Entry& e : s->entries) {
    if (EqualsIgnoreCase(e.key, key)) {
      e.value = std::string(value);
      return;
    }
  }
  s->entries.push_back(Entry{std::string(key), std::string(value)});
}

void IniDocument::RemoveSection(std::string_view section) {
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (EqualsIgnoreCase(it->name, section)) {
      sections_.erase(it);
      return;
    }
  }
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
