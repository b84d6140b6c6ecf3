tv_gtest(test_faults SOURCES faults/faultfixture.h faults/test_database_faults.cpp faults/test_full_disk.cpp
         faults/test_two_processes.cpp LIBS tv_benchgen tv_session PkgConfig::SQLCIPHER)
add_dependencies(test_faults tallyvane-cli)
tv_qtest(test_readonly_window SOURCES faults/test_readonly_window.cpp)
