# The program folder of the Windows build, made by `cmake --install`:
#
#   Varelo.exe moxwin32.exe MAKEPK.EXE mox.exe   the programs
#   texlog.exe                                   a TeX log's messages, listed
#   moxwin32.ini                                 the previewer's settings
#   Batch\ Template\ TeX\ bitmap2B\              Varelo's tool chain data
#   tex.txt usermac.txt moxview.bat tutor.dvi news.txt latex-reference.html
#   HZFONTS\                                     Chinese outline fonts, ccfonts.def, ucfonts.def
#   PIXEL\DPI600\                                PK fonts at 600 dpi
#   texmf\tex\mox\ texmf\fonts\tfm\mox\          mox's TeX macros, ccfnt and moxuc metrics
#
# The previewer looks for its fonts in HZFONTS and PIXEL\DPI<resolution>
# beside its own program file unless told otherwise, so the folder works
# wherever it is installed.

set(MOX_FOLDER_DATA ${PROJECT_SOURCE_DIR}/frontend/data)
set(MOX_FOLDER_BUILD ${CMAKE_BINARY_DIR}/program-folder)

install(TARGETS moxwin32 Varelo makepk mox texlog RUNTIME DESTINATION .)
# The command runner's TeX folder takes its own copy of the converter.
install(TARGETS mox RUNTIME DESTINATION TeX)
install(DIRECTORY ${MOX_FOLDER_DATA}/Batch ${MOX_FOLDER_DATA}/Template
                  ${MOX_FOLDER_DATA}/TeX ${MOX_FOLDER_DATA}/bitmap2B
        DESTINATION .)
install(FILES ${MOX_FOLDER_DATA}/tex.txt ${MOX_FOLDER_DATA}/usermac.txt
              ${MOX_FOLDER_DATA}/moxview.bat ${MOX_FOLDER_DATA}/tutor.dvi
              ${MOX_FOLDER_DATA}/news.txt ${CMAKE_CURRENT_LIST_DIR}/moxwin32.ini
        DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/frontend/win32/latex-reference.html DESTINATION . OPTIONAL)

if(TARGET mox_texmf)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/texmf/ DESTINATION texmf)
else()
  message(WARNING "No Python 3: the program folder lacks mox's TeX macros and metrics")
endif()

# The Chinese outline fonts: every GB 2312 character, compiled from AR PL
# UMing by mkhzfont, for every ziti letter, and the characters beyond it
# (GBK, Extension A) from Noto Serif CJK SC. The compiler is a Linux program
# (it needs FreeType): a cross build makes it in a native build of its own
# first, unless MOX_MKHZFONT names one.
set(MOX_MKHZFONT "" CACHE FILEPATH
    "A native mkhzfont for the program folder's Chinese fonts (built when empty)")
set(MOX_FONT_TARGETS ${MOX_FOLDER_BUILD}/pk.stamp)
if(MOX_MKHZFONT OR CMAKE_CROSSCOMPILING)
  set(MOX_MKHZFONT_PROGRAM ${MOX_MKHZFONT})
  set(MOX_MKHZFONT_BUILD)
  if(NOT MOX_MKHZFONT)
    set(MOX_HOST_TOOLS ${CMAKE_BINARY_DIR}/host-tools)
    set(MOX_MKHZFONT_PROGRAM ${MOX_HOST_TOOLS}/tools/mkhzfont/mkhzfont)
    set(MOX_MKHZFONT_BUILD
      COMMAND env -u CC -u CXX ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${MOX_HOST_TOOLS}
              -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
      COMMAND ${CMAKE_COMMAND} --build ${MOX_HOST_TOOLS} --target mkhzfont)
  endif()
  add_custom_command(
    OUTPUT ${MOX_FOLDER_BUILD}/HZFONTS/ccfonts.def
    ${MOX_MKHZFONT_BUILD}
    COMMAND env MKHZFONT=${MOX_MKHZFONT_PROGRAM}
            ${CMAKE_CURRENT_LIST_DIR}/make-chinese-fonts.sh ${MOX_FOLDER_BUILD}/HZFONTS
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-chinese-fonts.sh
            ${PROJECT_SOURCE_DIR}/tools/fixtures/make-outline-fixtures.sh
            ${PROJECT_SOURCE_DIR}/tools/fixtures/make-unicode-outline-fonts.sh
    COMMENT "Chinese outline fonts of the program folder"
    VERBATIM)
  list(APPEND MOX_FONT_TARGETS ${MOX_FOLDER_BUILD}/HZFONTS/ccfonts.def)
  install(DIRECTORY ${MOX_FOLDER_BUILD}/HZFONTS DESTINATION .)
else()
  message(WARNING "No mkhzfont (set MOX_MKHZFONT): the program folder lacks the Chinese fonts")
endif()

# The PK fonts: those of the sample document (the tutorial's among them) and,
# when Metafont is at hand, the base sizes the templates typeset with (what
# tools/check-templates.sh compiles uses them). Other sizes MAKEPK makes when
# a document wants them.
set(MOX_TEMPLATE_PK_FONTS cmbx12 cmcsc10 cmmi12 cmmi8 cmr12 cmr17 cmr8 cmsy7
                          cmti12 cmti8 cmtt8 msam10 msbm10 tcrm1000)
find_program(MOX_METAFONT mf)
find_program(MOX_GFTOPK gftopk)
set(MOX_PK_FOLDER ${MOX_FOLDER_BUILD}/PIXEL/DPI600)
file(GLOB MOX_SAMPLE_PK_FONTS ${PROJECT_SOURCE_DIR}/samples/pk/dpi600/*.PK)
set(MOX_TEMPLATE_PK_COMMAND)
if(MOX_METAFONT AND MOX_GFTOPK)
  set(MOX_TEMPLATE_PK_COMMAND
    COMMAND ${PROJECT_SOURCE_DIR}/tools/fixtures/make-pk-fixtures.sh
            --into ${MOX_FOLDER_BUILD}/pk-made ${MOX_TEMPLATE_PK_FONTS}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${MOX_FOLDER_BUILD}/pk-made/dpi600 ${MOX_PK_FOLDER})
else()
  message(STATUS "No Metafont: the program folder gets the sample's PK fonts only")
endif()
add_custom_command(
  OUTPUT ${MOX_FOLDER_BUILD}/pk.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${MOX_PK_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MOX_PK_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E copy ${MOX_SAMPLE_PK_FONTS} ${MOX_PK_FOLDER}
  ${MOX_TEMPLATE_PK_COMMAND}
  COMMAND ${CMAKE_COMMAND} -E touch ${MOX_FOLDER_BUILD}/pk.stamp
  DEPENDS ${MOX_SAMPLE_PK_FONTS} ${PROJECT_SOURCE_DIR}/tools/fixtures/make-pk-fixtures.sh
  COMMENT "PK fonts of the program folder"
  VERBATIM)

add_custom_target(program_folder_fonts ALL DEPENDS ${MOX_FONT_TARGETS})
install(DIRECTORY ${MOX_FOLDER_BUILD}/PIXEL DESTINATION .)
