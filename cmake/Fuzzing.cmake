# The fuzzing build: every object is instrumented for libFuzzer's coverage
# and checked by the address and undefined-behaviour sanitizers; only the
# harnesses link libFuzzer's driver.
if(MX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "MX_FUZZ needs clang (CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
