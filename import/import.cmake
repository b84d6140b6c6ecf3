# Spreadsheet readers and the import command (GUI-free), and the toolbar
# action that asks for the file.
add_library(tv_import STATIC
  sheetdata.h sheetreader.h sheetreader.cpp
  xlsprocess.cpp xlsxreader.cpp csvreader.cpp
  punchrows.h punchrows.cpp
  punchdating.h punchdating.cpp
  spreadsheetimport.h spreadsheetimport.cpp
)
target_link_libraries(tv_import PUBLIC tv_session tv_xlsread PRIVATE PkgConfig::MINIZIP PkgConfig::SQLCIPHER)

# FreeXL's side: in the reader process, and in the fuzz target that reads in-process.
add_library(tv_xlsread STATIC xlsreader.cpp sheetrows.cpp sheetstream.h sheetstream.cpp
  compoundfile.h compoundfile.cpp biffscan.h biffscan.cpp)
target_link_libraries(tv_xlsread PUBLIC tv_store PRIVATE PkgConfig::FREEXL)
add_executable(tallyvane-xls-reader ${CMAKE_CURRENT_SOURCE_DIR}/xlsworker.cpp)
target_link_libraries(tallyvane-xls-reader PRIVATE tv_xlsread)
# Whatever imports needs the reader built beside it.
add_dependencies(tv_import tallyvane-xls-reader)

target_sources(tv_gui PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/importaction.h ${CMAKE_CURRENT_SOURCE_DIR}/importaction.cpp
)
target_link_libraries(tv_gui PUBLIC tv_import)
target_link_libraries(tallyvane-cli PRIVATE tv_import)
