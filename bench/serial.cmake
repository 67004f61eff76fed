# Serial component: hand-over latency over a pseudo-terminal and the CPU of an idle open port.
vorlandex_add_bench(serial_latency SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/serial_latency.cpp LIBS vx_serial vx_pseudo_terminal)
vorlandex_add_bench(serial_idle_cpu SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/serial_idle_cpu.cpp LIBS vx_serial vx_pseudo_terminal)
