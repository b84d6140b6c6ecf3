tv_gtest(test_settings
  SOURCES settings/test_shiftsettings.cpp settings/test_thresholds.cpp settings/test_slotrules.cpp
  LIBS tv_settings)
tv_qtest(test_settings_window SOURCES settings/test_settings_window.cpp)
