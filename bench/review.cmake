add_executable(bench_review ${CMAKE_CURRENT_LIST_DIR}/bench_review.cpp)
target_link_libraries(bench_review PRIVATE tv_benchgen tv_review)
