# Printer protocol: real pacing of a block transfer and of the settings job over a
# pseudo-terminal, against the protocol's own minimum (gate 1.005) and the CPU share (2 %).
vorlandex_add_bench(bench_protocol_pacing SOURCES protocol_pacing.cpp LIBS vx_protocol vx_printer vx_serial)
target_compile_definitions(bench_protocol_pacing PRIVATE VORLANDEX_BENCH_SERIAL=1)
target_include_directories(bench_protocol_pacing PRIVATE ${CMAKE_SOURCE_DIR}/tools)
