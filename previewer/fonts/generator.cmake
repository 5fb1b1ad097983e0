# Starting the PK font generator for the fonts a document lacks.
target_sources(mox_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pk_generator.cpp
)
