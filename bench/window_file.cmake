# Configuration files from the window: opening and applying a pair, and saving it, against
# their 50 ms gates.
vorlandex_add_bench(bench_window_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_file.cpp LIBS vx_window_driver)
