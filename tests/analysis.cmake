tv_gtest(test_analysis
  SOURCES analysis/enginefixture.h analysis/test_matching.cpp analysis/test_evaluation.cpp
          analysis/test_dayloop.cpp analysis/test_month.cpp
  LIBS tv_analysis tv_benchgen)
