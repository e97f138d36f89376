# What an update server sends: the list answer and the archive. The update library also holds the
# Qt network client, which the fuzz build leaves out, so the harness takes the Qt-free sources
# that read server answers.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
vessaro_add_fuzzer(update_fuzzer ${CMAKE_CURRENT_LIST_DIR}/update_fuzzer.cc vessaro_common PkgConfig::LIBZIP)
target_sources(update_fuzzer PRIVATE ${PROJECT_SOURCE_DIR}/src/update/confined_path.cc
                                     ${PROJECT_SOURCE_DIR}/src/update/zip_extract.cc
                                     ${PROJECT_SOURCE_DIR}/src/update/update_protocol.cc)
