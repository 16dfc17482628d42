# The window's translation catalogues: po/<language>.po compiled with msgfmt
# into <build>/locale/<language>/LC_MESSAGES/quorvane.mo, where the program in
# the build folder finds them, and installed to share/locale. The template
# po/quorvane.pot is remade from the sources with `cmake --build . --target
# quorvane-pot` (xgettext), then merged into each .po with msgmerge.
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
  file(GLOB QUORVANE_TRANSLATED_SOURCES ${PROJECT_SOURCE_DIR}/window/*.cpp ${PROJECT_SOURCE_DIR}/list/*.cpp
       ${PROJECT_SOURCE_DIR}/engine/*.cpp)
  add_custom_target(quorvane-pot
    COMMAND ${QUORVANE_XGETTEXT} --from-code=UTF-8 --language=C++ --keyword=_ --keyword=UiText
            --keyword=UiPlural:1,2 --keyword=Counted:2,3 --keyword=Translatable --add-comments=TRANSLATORS --package-name=Quorvane
            --package-version=${PROJECT_VERSION} --no-location --sort-output
            -o ${PROJECT_SOURCE_DIR}/po/quorvane.pot ${QUORVANE_TRANSLATED_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)
endif()
