# Tests of the Chinese outline font driver and of the font file writer.
mox_add_test(outline_tests
  fonts/outline_font_test.cpp
  fonts/outline_fixture_test.cpp
)
target_link_libraries(outline_tests PRIVATE mox_hzfont_writer)
target_compile_definitions(outline_tests PRIVATE
  MOX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")

# Fidelity against FreeType's rendering of a real face: native only, where
# the compiler (FreeType, iconv) is built.
if(TARGET mox_hzfont_compiler)
  mox_add_test(outline_fidelity_tests fonts/outline_fidelity_test.cpp)
  target_link_libraries(outline_fidelity_tests PRIVATE mox_hzfont_compiler)
endif()
