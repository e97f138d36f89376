// The balance-sheet tree beside the program: report, aggregate, bonus, search-pattern and index
// folders, the two pick lists, and the preview's column settings in System.
#pragma once

#include "common/files.h"

namespace vessaro {

struct SheetFolders {
  explicit SheetFolders(const fs::path& program_folder);

  fs::path root;             // balancesheet
  fs::path year;             // 00_year
  fs::path month;            // 01_month
  fs::path week;             // 02_week
  fs::path day;              // 03_day: reports and balance-detail files
  fs::path bonus;            // 10_bonus
  fs::path patterns;         // 20_searchpattern
  fs::path index;            // 99_indexdata
  fs::path place_list;       // place.txt
  fs::path game_list;        // gameclass.txt
  fs::path column_settings;  // System/textgridcontrol.dat
};

// Creates every missing folder of the tree and the two list files (empty) when missing. Raises
// IoError when something cannot be created.
void EnsureBalanceSheetFolders(const SheetFolders& folders);

// File names of a folder that the balance sheet may read: hidden files (the temporaries of an
// interrupted atomic write) are left out. In ListFiles order.
std::vector<std::string> ListSheetFileNames(const fs::path& folder);

}  // namespace vessaro
