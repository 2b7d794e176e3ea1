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
