# Instruments everything built after it for libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: the library's own code must carry coverage, or the
# fuzzer sees only its harness.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "APPINTERFACE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)
