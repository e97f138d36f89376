# Readers of the training analysis: logs of every kind through every analysis and the replay, the
# frequency table, graph files, condition expressions.
vessaro_add_fuzzer(analysis_logs_fuzzer ${CMAKE_CURRENT_LIST_DIR}/analysis_logs_fuzzer.cc vessaro_analysis)
