tv_gtest(test_review SOURCES
  review/reviewfixture.h
  review/test_punchgrid.cpp review/test_corrections.cpp review/test_makeup.cpp review/test_employeedeletion.cpp
  LIBS tv_review)
tv_gtest(test_cli_review SOURCES review/test_cli_review.cpp LIBS tv_store)
add_dependencies(test_cli_review tallyvane-cli)
tv_qtest(test_review_gui SOURCES review/test_review_gui.cpp)
