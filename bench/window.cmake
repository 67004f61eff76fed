# The main window: typing in a ticket line (1 ms), start-up against a bare window (1.5 ×),
# the logo preview update (20 ms) and the logo upload over a pseudo-terminal with the real
# clock (1.005 × the protocol's minimum, 2 % CPU). All run offscreen. (bench/window_file.cmake
# registers the configuration-file benchmark.)
vorlandex_add_bench(bench_window_typing SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_typing.cpp LIBS vx_app)
vorlandex_add_bench(bench_window_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_startup.cpp LIBS vx_app)
vorlandex_add_bench(bench_window_preview SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_preview.cpp LIBS vx_app)
vorlandex_add_bench(bench_window_logo_upload SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_logo_upload.cpp
                    LIBS vx_app vx_printer util)
