# Logo pictures from other formats in the real window: a 4000 × 3000 PNG photo (150 ms) and
# a typical SVG logo (50 ms) opened as the logo, and the contrast suggestion on the default
# picture (5 ms). Offscreen.
vorlandex_add_bench(bench_window_pictures SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_pictures.cpp LIBS vx_app)
