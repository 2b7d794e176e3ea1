# The camera window (included by bench/CMakeLists.txt).
add_executable(bench_photo bench_photo.cpp)
kaleno_set_options(bench_photo)
target_link_libraries(bench_photo PRIVATE kaleno benchmark::benchmark)
target_compile_options(bench_photo PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
