tv_gtest(test_archive SOURCES archive/test_moveout.cpp archive/test_archivequery.cpp LIBS tv_archive)

tv_gtest(test_archive_cli SOURCES archive/test_archive_cli.cpp archive/test_moveout_kill.cpp LIBS tv_benchgen tv_store)
add_dependencies(test_archive_cli tallyvane-cli)

tv_qtest(test_cx_window SOURCES archive/test_cx_window.cpp)
