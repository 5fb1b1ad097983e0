# The PK font loader and its character unpacking.
target_sources(mox_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pk_font.cpp
)
