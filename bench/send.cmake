# Command-line sender: four virtual printers on four pseudo-terminals fed at once, against the
# protocol minimum of one printer (gate 1.01), its CPU share (2 % per port) and the spacing of
# the writes to each port (0 data gaps < 11.9 ms, 0 register gaps < 99.9 ms).
vorlandex_add_bench(bench_send_parallel
  SOURCES send_parallel.cpp LIBS vx_send vx_pty_line)
target_include_directories(bench_send_parallel PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/e2e)

# vorlandex-send --if-changed: nothing changed (gate 0.2 s per printer, no port opened), one
# button's line changed (gate 1.02 x the protocol minimum of its text job and the clock).
vorlandex_add_bench(bench_send_if_changed
  SOURCES send_if_changed.cpp LIBS vx_send vx_pty_line)
target_include_directories(bench_send_if_changed PRIVATE ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/tests/e2e)
target_compile_definitions(bench_send_if_changed PRIVATE VORLANDEX_SEND_EXE="$<TARGET_FILE:vorlandex-send>")
add_dependencies(bench_send_if_changed vorlandex-send)

# Ten virtual printers through the Ansible role on this computer (gate 1.05 x one printer's
# send-all minimum). A script, started by `make bench` as the other benchmarks are.
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/bench_send_role
  CONTENT "#!/bin/sh\nexec bash ${CMAKE_CURRENT_SOURCE_DIR}/send_role.sh ${CMAKE_SOURCE_DIR} $<TARGET_FILE:vorlandex-send> $<TARGET_FILE:vorlandex-printer>\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(VORLANDEX_BENCHES ${VORLANDEX_BENCHES} bench_send_role CACHE INTERNAL "")
