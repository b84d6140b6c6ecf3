tv_gtest(test_import SOURCES import/test_readers.cpp import/test_import.cpp import/importtestutil.h
         import/test_fuzz_findings.cpp import/test_bad_input.cpp import/xlsxmaker.h import/xlsxmaker.cpp
         LIBS tv_import tv_benchgen PkgConfig::MINIZIP)
tv_gtest(test_import_cli SOURCES import/test_import_cli.cpp LIBS tv_store)
add_dependencies(test_import_cli tallyvane-cli)
tv_qtest(test_import_gui SOURCES import/test_importaction.cpp)
