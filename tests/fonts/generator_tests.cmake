# Tests of starting the PK font generator, and of the generator MAKEPK: its
# pieces, its host program runs and whole runs of the program of this build.
mox_add_test(generator_tests
  fonts/pk_generator_test.cpp
  tools/makepk_test.cpp
  tools/makepk_run_test.cpp
  platform/host_program_test.cpp
  ${PROJECT_SOURCE_DIR}/tools/makepk/makepk_arguments.cpp
  ${PROJECT_SOURCE_DIR}/tools/makepk/font_maker.cpp
  ${PROJECT_SOURCE_DIR}/tools/makepk/wanted_fonts.cpp
)
target_compile_definitions(generator_tests PRIVATE
  MOX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
  MOX_MAKEPK_PATH="$<TARGET_FILE:makepk>")
add_dependencies(generator_tests makepk)
