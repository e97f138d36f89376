// INI-style documents: "[section]" lines and "key=value" lines. Sections and keys are found
// regardless of letter case; a missing key reads as empty. Order is kept when written back.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vessaro {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::string Get(std::string_view section, std::string_view key) const;
  // Adds the section and key when missing; keeps their place otherwise.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveSection(std::string_view section);

  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // "[name]" then "key=value" lines, each ended by CR LF.
  std::string Serialize() const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  // Keys are looked up through an index by their upper-case form, so a file of a million keys
  // reads in linear time; entries keep their order for writing back.
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::unordered_map<std::string, size_t> index;
    const Entry* Find(std::string_view key) const;
    Entry* Find(std::string_view key);
    void Add(std::string key, std::string value);
  };
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  Section& AddSection(std::string name);

  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> section_index_;
};

}  // namespace vessaro
