tv_gtest(test_helpfile SOURCES help/test_helpfile.cpp LIBS tv_help)
tv_qtest(test_help_window SOURCES help/test_help_window.cpp)
add_dependencies(test_help_window tv_helptext)
