# Google Benchmark for the windows build, compiled with the cross compiler from Debian's
# source package, which scripts/setup unpacks (the native build uses Debian's library).
set(BENCHMARK_SRC_DIR "${PROJECT_SOURCE_DIR}/third_party/benchmark" CACHE PATH "Google Benchmark source tree")
if(NOT EXISTS "${BENCHMARK_SRC_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "Google Benchmark sources missing in ${BENCHMARK_SRC_DIR}: run scripts/setup")
endif()
set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
set(BENCHMARK_ENABLE_GTEST_TESTS OFF CACHE BOOL "" FORCE)
set(BENCHMARK_ENABLE_WERROR OFF CACHE BOOL "" FORCE)
set(BENCHMARK_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
# Debian's tree reads no git tags: without this its library version is empty and configuring fails.
set(GIT_VERSION "0.0.0")
add_subdirectory(${BENCHMARK_SRC_DIR} ${CMAKE_BINARY_DIR}/_benchmark EXCLUDE_FROM_ALL SYSTEM)
