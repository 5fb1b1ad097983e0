# Windows test programs run under Wine: one Xvfb, prefix and persistent wine
# server per test run, set up and torn down by CTest fixtures.

set(MOX_WINE_STATE ${CMAKE_BINARY_DIR}/wine-test)
set(MOX_WINE_ENV ${CMAKE_CURRENT_LIST_DIR}/wine-env)

add_test(NAME wine_environment_start COMMAND ${MOX_WINE_ENV} start)
add_test(NAME wine_environment_stop COMMAND ${MOX_WINE_ENV} stop)
set_tests_properties(wine_environment_start PROPERTIES
  FIXTURES_SETUP wine ENVIRONMENT MOX_WINE_STATE=${MOX_WINE_STATE} TIMEOUT 180)
set_tests_properties(wine_environment_stop PROPERTIES
  FIXTURES_CLEANUP wine ENVIRONMENT MOX_WINE_STATE=${MOX_WINE_STATE})

# A test program of this build, run by Wine.
function(mox_add_wine_test name target)
  add_test(NAME ${name} COMMAND ${MOX_WINE_ENV} run $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT MOX_WINE_STATE=${MOX_WINE_STATE} TIMEOUT 300)
endfunction()

# A script that drives Windows programs of this build (Python, with xdotool).
function(mox_add_wine_gui_test name script)
  add_test(NAME ${name}
    COMMAND ${MOX_WINE_ENV} shell python3 ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine RUN_SERIAL ON
    ENVIRONMENT "MOX_WINE_STATE=${MOX_WINE_STATE};MOX_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 300)
endfunction()
