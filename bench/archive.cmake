add_executable(bench_archive ${CMAKE_CURRENT_SOURCE_DIR}/bench_archive.cpp)
target_link_libraries(bench_archive PRIVATE tv_benchgen tv_archive)
