# Tests of the face table and the TrueType glyphs; the system rasteriser is
# tested where it runs: FreeType natively, GDI in the Windows build.
mox_add_test(truetype_tests
  fonts/face_table_test.cpp
  fonts/truetype_glyphs_test.cpp
)
if(WIN32)
  target_sources(truetype_tests PRIVATE fonts/gdi_rasterizer_test.cpp)
else()
  target_sources(truetype_tests PRIVATE fonts/freetype_rasterizer_test.cpp
                                       fonts/beyond_gb2312_test.cpp)
endif()
target_compile_definitions(truetype_tests PRIVATE
  MOX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
