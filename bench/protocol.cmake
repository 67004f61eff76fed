# Printer protocol: the spacing of the writes to the port (stamped on the writer thread) and the
# wall time of a block transfer, the logo upload and the settings job against the protocol's own
# minimum, quiet and with every core busy, and the CPU share.
vorlandex_add_bench(bench_protocol_pacing SOURCES protocol_pacing.cpp
  LIBS vx_protocol vx_printer vx_serial vx_logo vx_pseudo_terminal)
target_include_directories(bench_protocol_pacing PRIVATE ${CMAKE_SOURCE_DIR}/tools)
