# The release: one ZIP archive per architecture, made by cpack in a Windows
# build folder (Icotrace-1.0.0-x64.zip, -x86.zip, -arm64.zip), holding
# Icotrace.exe, InterprocessImageList.dll and LISEZMOI.txt. The program needs
# no installation: the archive is unpacked into a folder the user can write to,
# since the layout files go beside the program.
set(ICOTRACE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
include(${ICOTRACE_PACKAGING_DIR}/windows_1252.cmake)

if(ICOTRACE_HOST)
  # The text converter is checked on the host, with the other quick tests.
  add_test(NAME packaging.LisezmoiWindows1252
           COMMAND ${CMAKE_COMMAND} -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/packaging_check
                   -P ${ICOTRACE_PACKAGING_DIR}/check_windows_1252.cmake)
  return()
endif()
if(NOT TARGET Icotrace OR NOT TARGET InterprocessImageList)
  return()
endif()

# Notepad on a French Windows reads Windows-1252 with CR LF; the committed text
# is UTF-8 and is converted whenever it changes.
set(readme ${CMAKE_CURRENT_BINARY_DIR}/LISEZMOI.txt)
icotrace_write_windows_1252(${ICOTRACE_PACKAGING_DIR}/LISEZMOI.txt ${readme})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${ICOTRACE_PACKAGING_DIR}/LISEZMOI.txt ${ICOTRACE_PACKAGING_DIR}/windows_1252.cmake)

# The program and its icon library side by side at the top of the archive; the
# import library stays out.
install(TARGETS Icotrace InterprocessImageList
        RUNTIME DESTINATION . COMPONENT program
        LIBRARY DESTINATION . COMPONENT program
        ARCHIVE DESTINATION lib COMPONENT development EXCLUDE_FROM_ALL)
install(FILES ${readme} DESTINATION . COMPONENT program)

# The pointer width alone would call an Arm64 build x64. Visual Studio names
# the machine it compiles for; elsewhere the toolchain's processor says it
# (with Visual Studio that is the host's, wrong for an x64 build on Arm).
if(MSVC)
  set(icotrace_machine "${CMAKE_CXX_COMPILER_ARCHITECTURE_ID}")
else()
  set(icotrace_machine "${CMAKE_SYSTEM_PROCESSOR}")
endif()
if(icotrace_machine MATCHES "^(ARM64|aarch64|arm64)")
  set(ICOTRACE_ARCHITECTURE arm64)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ICOTRACE_ARCHITECTURE x64)
else()
  set(ICOTRACE_ARCHITECTURE x86)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Icotrace)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Icotrace-${PROJECT_VERSION}-${ICOTRACE_ARCHITECTURE})
set(CPACK_COMPONENTS_ALL program)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
# Debug information stays in the build folder, not in what users download.
if(CMAKE_STRIP)
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
