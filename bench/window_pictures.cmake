# Logo pictures from other formats in the real window: a 4000 × 3000 PNG photo (1.15 × Qt's
# own decoding, memory 1.2 × the decoded picture) and the same as JPEG (0.6 × Qt's full-size
# decoding) opened as the logo, a typical SVG logo (50 ms), and the contrast suggestion on
# the default picture (5 ms). Offscreen.
vorlandex_add_bench(bench_window_pictures SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_pictures.cpp LIBS vx_window_driver)
