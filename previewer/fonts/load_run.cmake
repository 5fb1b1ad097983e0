# The load run and the carry-over of glyphs across a reload.
target_sources(mox_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/carry_over.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_run.cpp
)
