# Warnings, -Werror and sanitizers for every Kaleno target, applied per target so that a
# parent project's own flags stay its own.
function(kaleno_set_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${KALENO_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${KALENO_WERROR}>:-Werror>)
  endif()
  if(KALENO_SANITIZE)
    if(MSVC)
      target_compile_options(${target} PRIVATE /fsanitize=address)
    else()
      target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                               -fno-sanitize-recover=undefined
                                               -fno-omit-frame-pointer)
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
  endif()
  if(KALENO_BUILD_FUZZERS)
    # Coverage for libFuzzer in the code under test; only the fuzz targets link its main.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# Adds every sub-folder of the calling folder that has a CMakeLists.txt of its own: each
# window folder lists its own files, so a new window never edits a shared list.
macro(kaleno_add_window_folders)
  file(GLOB kaleno_window_folders LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
  foreach(kaleno_folder IN LISTS kaleno_window_folders)
    if(EXISTS "${kaleno_folder}/CMakeLists.txt")
      add_subdirectory("${kaleno_folder}")
    endif()
  endforeach()
endmacro()

# Includes every *.cmake of the calling folder: one list of tests, benchmarks or fuzz
# targets per area. A macro, so the lists see the caller's functions and variables.
macro(kaleno_include_area_lists)
  file(GLOB kaleno_area_lists CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cmake")
  foreach(kaleno_list IN LISTS kaleno_area_lists)
    include("${kaleno_list}")
  endforeach()
endmacro()
