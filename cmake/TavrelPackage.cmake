# The release package: `cmake --build <dir> --target package` makes
# Tavrel-<version>-win32.zip with Tavrel.exe and a read-me for Windows users,
# and nothing else (no test program of the build).

# The read-me with the version filled in, CRLF line ends and a UTF-8 byte order
# mark, so that every Notepad shows the Chinese text right.
set(TAVREL_README_SOURCE ${PROJECT_SOURCE_DIR}/packaging/README-Windows.txt)
set(TAVREL_README ${PROJECT_BINARY_DIR}/packaging/README.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVREL_README_SOURCE})
file(READ ${TAVREL_README_SOURCE} tavrel_readme_text)
string(CONFIGURE "${tavrel_readme_text}" tavrel_readme_text @ONLY)
string(REPLACE "\n" "\r\n" tavrel_readme_text "${tavrel_readme_text}")
string(ASCII 239 187 191 tavrel_utf8_bom)
file(WRITE ${TAVREL_README} "${tavrel_utf8_bom}${tavrel_readme_text}")

install(TARGETS Tavrel RUNTIME DESTINATION . COMPONENT tavrel)
install(FILES ${TAVREL_README} DESTINATION . COMPONENT tavrel)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavrel)
set(CPACK_PACKAGE_VENDOR Tavrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Tavrel-${PROJECT_VERSION}-win32)
# The two files at the top of the archive, from the one component only.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENTS_ALL tavrel)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
