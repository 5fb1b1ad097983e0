# Tests of the PK font loader: the unpacking of rasters, the loader on files
# made by the PK writer, and the Metafont fixtures. RunPkGenerator is the
# fake of pk_generator_fake.cpp, which stands in for the real generator.
mox_add_test(pk_tests
  ${CMAKE_CURRENT_LIST_DIR}/pk_unpack_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pk_font_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pk_fixture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pk_generator_fake.cpp
)
target_compile_definitions(pk_tests PRIVATE
  MOX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
