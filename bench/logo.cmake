# Logo imaging: the preview update against its 20 ms gate.
vorlandex_add_bench(bench_logo_preview SOURCES logo_preview.cpp LIBS vx_logo)
