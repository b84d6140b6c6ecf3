# Statistics, the report layouts, their exports, the window and the commands.
set(TV_REPORT_FIXTURE reports/reportfixture.h reports/reportfixture.cpp)
set(TV_PDF_TOOLS reports/pdftools.h reports/pdftools.cpp)

tv_gtest(test_statistics SOURCES reports/test_statistics.cpp ${TV_REPORT_FIXTURE} LIBS tv_reports)
tv_gtest(test_reportpdf SOURCES reports/test_reportpdf.cpp ${TV_REPORT_FIXTURE} ${TV_PDF_TOOLS} LIBS tv_reportrender)
tv_gtest(test_xlsxexport SOURCES reports/test_xlsxexport.cpp reports/xlsxreader.h reports/xlsxreader.cpp ${TV_REPORT_FIXTURE}
         LIBS tv_reports PkgConfig::MINIZIP)
tv_qtest(test_statswindow SOURCES reports/test_statswindow.cpp ${TV_REPORT_FIXTURE} ${TV_PDF_TOOLS})
tv_gtest(test_cli_reports SOURCES reports/test_cli_reports.cpp reports/xlsxreader.h reports/xlsxreader.cpp
         ${TV_REPORT_FIXTURE} ${TV_PDF_TOOLS} LIBS tv_store Qt6::Gui PkgConfig::MINIZIP)
add_dependencies(test_cli_reports tallyvane-cli)
