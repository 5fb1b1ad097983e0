# Windows test programs run under Wine, in environments (an Xvfb, a prefix
# and a persistent wine server each) set up and torn down by CTest fixtures.

# Two environments, each with its own display, prefix and server, so that
# the long window scenarios run side by side: each scenario holds its
# environment alone (another program taking the focus would disturb it),
# while the two environments never share a window or a key.
set(MOX_WINE_ENV ${CMAKE_CURRENT_LIST_DIR}/wine-env)
set(MOX_WINE_STATE ${CMAKE_BINARY_DIR}/wine-test)
set(MOX_WINE_STATE_B ${CMAKE_BINARY_DIR}/wine-test-b)
# The scenarios that run in the second environment: about half the time.
set(MOX_WINE_SECOND_ENVIRONMENT
  previewer_printing_gui varelo_tools_gui source_links_gui working_cycle_gui
  varelo_palettes_gui varelo_assistant_gui varelo_runner_gui installed_suite_gui high_dpi_gui
  unicode_names_gui real_latex_gui)

foreach(environment wine wine_b)
  set(state ${MOX_WINE_STATE})
  if(environment STREQUAL "wine_b")
    set(state ${MOX_WINE_STATE_B})
  endif()
  add_test(NAME ${environment}_environment_start COMMAND ${MOX_WINE_ENV} start)
  add_test(NAME ${environment}_environment_stop COMMAND ${MOX_WINE_ENV} stop)
  set_tests_properties(${environment}_environment_start PROPERTIES
    FIXTURES_SETUP ${environment} ENVIRONMENT MOX_WINE_STATE=${state} TIMEOUT 180)
  set_tests_properties(${environment}_environment_stop PROPERTIES
    FIXTURES_CLEANUP ${environment} ENVIRONMENT MOX_WINE_STATE=${state})
endforeach()

# A test program of this build, run by Wine. Some create windows, so they
# too hold the first environment alone.
function(mox_add_wine_test name target)
  add_test(NAME ${name} COMMAND ${MOX_WINE_ENV} run $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine
    ENVIRONMENT MOX_WINE_STATE=${MOX_WINE_STATE} TIMEOUT 300)
endfunction()

# A script that drives Windows programs of this build (Python, with xdotool).
function(mox_add_wine_gui_test name script)
  add_test(NAME ${name}
    COMMAND ${MOX_WINE_ENV} shell python3 ${script} ${ARGN})
  set(environment wine)
  set(state ${MOX_WINE_STATE})
  if(name IN_LIST MOX_WINE_SECOND_ENVIRONMENT)
    set(environment wine_b)
    set(state ${MOX_WINE_STATE_B})
  endif()
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED ${environment} RESOURCE_LOCK ${environment}
    ENVIRONMENT "MOX_WINE_STATE=${state};MOX_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 600)
endfunction()
