# Compiler settings shared by every target of the project (not by third-party code).
option(KAVLO_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
option(KAVLO_WERROR "Treat warnings as errors" OFF)

add_library(kavlo_options INTERFACE)
target_compile_features(kavlo_options INTERFACE cxx_std_20)
target_compile_options(kavlo_options INTERFACE -Wall -Wextra)
# GCC 12 reports impossible overlaps in std::string concatenation at -O2/-O3 (its bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kavlo_options INTERFACE -Wno-restrict)
endif()
if(KAVLO_WERROR)
  target_compile_options(kavlo_options INTERFACE -Werror)
endif()
if(KAVLO_SANITIZE AND NOT WIN32)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(kavlo_options INTERFACE ${_san})
  target_link_options(kavlo_options INTERFACE ${_san})
endif()

# libFuzzer build (clang only): every project library is instrumented for coverage and built
# with AddressSanitizer + UBSan; the targets of tests/fuzz add the fuzzer's own main.
option(KAVLO_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)
if(KAVLO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KAVLO_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(_fuzz_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(kavlo_options INTERFACE -fsanitize=fuzzer-no-link ${_fuzz_san})
  target_link_options(kavlo_options INTERFACE ${_fuzz_san})
endif()
