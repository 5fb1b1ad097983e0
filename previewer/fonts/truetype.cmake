# Chinese glyphs from TrueType faces: the face table and its file, and the
# drawing of the served ziti letters during the load run.
target_sources(mox_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/face_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/truetype_glyphs.cpp
)
