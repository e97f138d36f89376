# Readers of the betting-system files: system, pattern, special pattern, face pattern list and
# Ashfinch files, each with the evaluation that runs on what was read and the editor that loads it.
vessaro_add_fuzzer(systems_system_fuzzer ${CMAKE_CURRENT_LIST_DIR}/systems_system_fuzzer.cc vessaro_systems)
vessaro_add_fuzzer(systems_pattern_fuzzer ${CMAKE_CURRENT_LIST_DIR}/systems_pattern_fuzzer.cc vessaro_systems)
vessaro_add_fuzzer(systems_special_fuzzer ${CMAKE_CURRENT_LIST_DIR}/systems_special_fuzzer.cc vessaro_systems)
vessaro_add_fuzzer(systems_face_list_fuzzer ${CMAKE_CURRENT_LIST_DIR}/systems_face_list_fuzzer.cc vessaro_systems)
vessaro_add_fuzzer(systems_ashfinch_fuzzer ${CMAKE_CURRENT_LIST_DIR}/systems_ashfinch_fuzzer.cc vessaro_systems)
