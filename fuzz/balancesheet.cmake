# Readers of the balance sheet's files (reports, column settings, search patterns, bonus files,
# index files) and the test of a condition string.
vessaro_add_fuzzer(sheet_files_fuzzer ${CMAKE_CURRENT_LIST_DIR}/sheet_files_fuzzer.cc vessaro_balancesheet)
