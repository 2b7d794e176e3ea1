# The optics bench: ray tracing and the thick-lens window's redraw (included by
# bench/CMakeLists.txt).
add_executable(bench_optics bench_optics.cpp)
kaleno_set_options(bench_optics)
target_link_libraries(bench_optics PRIVATE kaleno benchmark::benchmark)
target_compile_options(bench_optics PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
