# Spreadsheet readers and the import command (GUI-free), and the toolbar
# action that asks for the file.
add_library(tv_import STATIC
  sheetdata.h sheetreader.h sheetreader.cpp
  xlsreader.cpp xlsxreader.cpp csvreader.cpp
  punchrows.h punchrows.cpp
  punchdating.h punchdating.cpp
  spreadsheetimport.h spreadsheetimport.cpp
)
target_link_libraries(tv_import PUBLIC tv_session PRIVATE PkgConfig::FREEXL PkgConfig::MINIZIP PkgConfig::SQLCIPHER)

target_sources(tv_gui PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/importaction.h ${CMAKE_CURRENT_SOURCE_DIR}/importaction.cpp
)
target_link_libraries(tv_gui PUBLIC tv_import)
target_link_libraries(tallyvane-cli PRIVATE tv_import)
