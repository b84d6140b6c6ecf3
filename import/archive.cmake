# Move-out into the archive and the archive query: core in tv_archive, the
# query window and the toolbar action in tv_gui.
add_library(tv_archive STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/moveout.h ${CMAKE_CURRENT_SOURCE_DIR}/moveout.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/archivequery.h ${CMAKE_CURRENT_SOURCE_DIR}/archivequery.cpp
)
target_link_libraries(tv_archive PUBLIC tv_session)

target_sources(tv_gui PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/moveoutaction.h ${CMAKE_CURRENT_SOURCE_DIR}/moveoutaction.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/archiveprint.h ${CMAKE_CURRENT_SOURCE_DIR}/archiveprint.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/cx.h ${CMAKE_CURRENT_SOURCE_DIR}/cx.cpp
)
target_link_libraries(tv_gui PUBLIC tv_archive)
target_link_libraries(tallyvane-cli PRIVATE tv_archive)
