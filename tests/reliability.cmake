# The kill harness: not a CTest test (it runs for minutes); CI runs
# `kill_harness --quick` by itself.
add_executable(kill_harness
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/kill_harness.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/scenario.h
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/killrun.h ${CMAKE_CURRENT_SOURCE_DIR}/reliability/killrun.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/rowdigest.h ${CMAKE_CURRENT_SOURCE_DIR}/reliability/rowdigest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/importscenario.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/analysescenario.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reliability/archivescenario.cpp
)
target_link_libraries(kill_harness PRIVATE tv_benchgen tv_analysis PkgConfig::SQLCIPHER)
target_compile_definitions(kill_harness PRIVATE TV_CLI="$<TARGET_FILE:tallyvane-cli>")
add_dependencies(kill_harness tallyvane-cli)
