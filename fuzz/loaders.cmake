# The image decoders (included by fuzz/CMakeLists.txt). They live in the GUI library, for
# Qt's BMP reader and the libjpeg and giflib wrappers.
foreach(target fuzz_bmp fuzz_jpeg fuzz_gif)
  add_executable(${target} ${target}.cpp)
  kaleno_set_options(${target})
  target_link_libraries(${target} PRIVATE kaleno)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
