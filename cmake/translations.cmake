# The window's translation catalogues: po/<language>.po compiled with msgfmt
# into <build>/locale/<language>/LC_MESSAGES/quorvane.mo, where the program in
# the build folder finds them, and installed to share/locale. The template
# po/quorvane.pot is remade from the sources with `cmake --build . --target
# quorvane-pot` (scripts/catalogue-template.sh), then merged into each .po
# with msgmerge.
include(GNUInstallDirs)
find_program(QUORVANE_MSGFMT msgfmt REQUIRED)
find_program(QUORVANE_XGETTEXT xgettext)

file(GLOB QUORVANE_PO_FILES ${PROJECT_SOURCE_DIR}/po/*.po)
set(QUORVANE_MO_FILES)
foreach(po ${QUORVANE_PO_FILES})
  get_filename_component(language ${po} NAME_WE)
  set(mo ${PROJECT_BINARY_DIR}/locale/${language}/LC_MESSAGES/quorvane.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/locale/${language}/LC_MESSAGES
    COMMAND ${QUORVANE_MSGFMT} --check -o ${mo} ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${language} catalogue"
    VERBATIM)
  list(APPEND QUORVANE_MO_FILES ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_DATADIR}/locale/${language}/LC_MESSAGES)
endforeach()
add_custom_target(quorvane-catalogues ALL DEPENDS ${QUORVANE_MO_FILES})

if(QUORVANE_XGETTEXT)
  add_custom_target(quorvane-pot
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/catalogue-template.sh ${PROJECT_SOURCE_DIR}/po/quorvane.pot
    VERBATIM)
  # A text the window shows without its translation fails the tests.
  add_test(NAME catalogues_are_complete COMMAND ${PROJECT_SOURCE_DIR}/scripts/catalogue-template.sh --check)
endif()
