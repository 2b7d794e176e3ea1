# The image catalogue: a page of thumbnails from 12-megapixel photos, and a 5 000-file search.
add_executable(bench_catalogue bench_catalogue.cpp)
kaleno_set_options(bench_catalogue)
target_link_libraries(bench_catalogue PRIVATE kaleno benchmark::benchmark)
target_compile_options(bench_catalogue PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
