#include "balancesheet/sheet_folders.h"

#include "common/text.h"

namespace vessaro {

SheetFolders::SheetFolders(const fs::path& program_folder)
    : root(program_folder / "balancesheet"),
      year(root / "00_year"),
      month(root / "01_month"),
      week(root / "02_week"),
      day(root / "03_day"),
      bonus(root / "10_bonus"),
      patterns(root / "20_searchpattern"),
      index(root / "99_indexdata"),
      place_list(root / "place.txt"),
      game_list(root / "gameclass.txt"),
      column_settings(program_folder / "System" / "textgridcontrol.dat") {}

void EnsureBalanceSheetFolders(const SheetFolders& f) {
  for (const fs::path* folder : {&f.year, &f.month, &f.week, &f.day, &f.bonus, &f.patterns, &f.index})
    if (!EnsureFolder(*folder)) ThrowIoError(IoAction::kCreateFolder, *folder);
  for (const fs::path* list : {&f.place_list, &f.game_list})
    if (!FileExists(*list)) WriteWholeFile(*list, "");
}

std::vector<std::string> ListSheetFileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::path& file : ListFiles(folder)) {
    std::string name = file.filename().string();
    if (!StartsWith(name, ".")) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace vessaro
