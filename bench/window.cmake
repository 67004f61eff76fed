# The main window: typing in a ticket line (1 ms), start-up against a bare window (1.5 ×),
# the logo preview update (20 ms) and the logo upload over a pseudo-terminal with the real
# clock (1.005 × the protocol's minimum, 2 % CPU). All run offscreen. (bench/window_file.cmake
# registers the configuration-file benchmark.)
vorlandex_add_bench(bench_window_typing SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_typing.cpp LIBS vx_window_driver)
# Undo and redo of a step against the step's own time (+ 5 ms), and a 500-step history's memory.
vorlandex_add_bench(bench_window_history SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_history.cpp LIBS vx_window_driver)
# F1 to the handbook's section of a control (300 ms).
vorlandex_add_bench(bench_window_help SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_help.cpp LIBS vx_window_driver Qt6::Test)
vorlandex_add_bench(bench_window_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_startup.cpp LIBS vx_window_driver)
# The recovery copy of an 800 × 400 working picture (20 ms).
vorlandex_add_bench(bench_window_recovery SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_recovery.cpp LIBS vx_window_driver)
vorlandex_add_bench(bench_window_preview SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_preview.cpp LIBS vx_window_driver)
vorlandex_add_bench(bench_window_logo_upload SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_logo_upload.cpp
                    LIBS vx_window_driver vx_printer vx_pseudo_terminal)
# A long session: 300 window jobs against the virtual printer on a pseudo-terminal, with its
# adapter pulled and plugged back, and 100 runs of vorlandex-send (descriptors, threads and
# memory flat after the first 20 jobs). The suite runs a short version.
vorlandex_add_bench(bench_window_soak SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_soak.cpp
                    LIBS vx_window_driver vx_pty_line util)
target_include_directories(bench_window_soak PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/e2e)
target_compile_definitions(bench_window_soak PRIVATE VORLANDEX_SEND_EXE="$<TARGET_FILE:vorlandex-send>")
add_dependencies(bench_window_soak vorlandex-send)
add_test(NAME window_soak_short COMMAND bench_window_soak --short)
set_tests_properties(window_soak_short PROPERTIES LABELS app TIMEOUT 300
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
