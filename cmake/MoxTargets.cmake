# Settings every target of the project's own code gets.

if(MOX_FUZZ)
  # Everything is instrumented for libFuzzer; only the fuzz targets link its
  # driver (tests/fuzz).
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(MOX_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Static runtime: otherwise the programs need the compiler's DLLs beside them.
  add_link_options(-static)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600
                          NOMINMAX WIN32_LEAN_AND_MEAN)
endif()

# String literals become GBK bytes in the programs. GB18030 is GBK for every
# character GBK has; it is named here because libstdc++ headers hold literals
# outside GBK (the micro sign of <chrono>) that plain GBK cannot take.
set(MOX_EXEC_CHARSET GB18030)

# Warnings, the execution character set and -Werror.
function(mox_compile_settings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra>)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=${MOX_EXEC_CHARSET}>)
  endif()
  # Clang (used only for fuzzing) keeps literals in UTF-8: the messages then
  # read differently, which the fuzz targets do not look at.
  if(MOX_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
  endif()
endfunction()

# The settings, and the whole source tree as the include root: for programs,
# tools and tests, which sit above every layer.
function(mox_target_defaults target)
  mox_compile_settings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# mox_layer(target FOLDERS folder... [LINKS libraries...]): a library of one
# layer of the code. Its include root shows only its own folders (through
# links in the build tree); the folders below it come with the libraries it
# links. An include of a folder above the layer is therefore not found, and
# the build refuses it.
function(mox_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;LINKS")
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  foreach(folder ${LAYER_FOLDERS})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(REMOVE ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  mox_compile_settings(${target})
  target_include_directories(${target} PUBLIC ${root})
  if(LAYER_LINKS)
    target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
  endif()
endfunction()
