add_executable(bench_import bench_import.cpp biff8writer.h biff8writer.cpp)
target_link_libraries(bench_import PRIVATE tv_benchgen tv_import)
