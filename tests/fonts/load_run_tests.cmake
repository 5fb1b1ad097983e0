# Tests of the load run and the carry-over.
mox_add_test(load_run_tests fonts/load_run_test.cpp)
target_compile_definitions(load_run_tests PRIVATE
  MOX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
