# MAKEPK, the PK font generator the previewer starts: makepk natively,
# MAKEPK.EXE on Windows.
add_executable(makepk
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/makepk_arguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_maker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wanted_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../moxrender/console_user_interface.cpp
)
mox_target_defaults(makepk)
target_link_libraries(makepk PRIVATE mox_core)
# The previewer starts it from its own folder.
if(WIN32)
  set_target_properties(makepk PROPERTIES OUTPUT_NAME MAKEPK SUFFIX ".EXE"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/previewer/shell)
else()
  set_target_properties(makepk PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()
