# Command-line sender: four virtual printers on four pseudo-terminals fed at once, against the
# protocol minimum of one printer (gate 1.01), its CPU share (2 % per port) and the spacing of
# the writes to each port (0 data gaps < 11.9 ms, 0 register gaps < 99.9 ms).
vorlandex_add_bench(bench_send_parallel
  SOURCES send_parallel.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/pty_line.cpp LIBS vx_send vx_printer util)
target_include_directories(bench_send_parallel PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/e2e)
