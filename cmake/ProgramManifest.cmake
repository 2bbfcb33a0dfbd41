# The application manifest: the program's identity and version, no elevation, DPI awareness
# (the windows scale their pixel sizes with the DPI) and the common controls of version 6.
# The version is the version record's, read from resources/Version.rc.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/Version.rc TV_FILE_VERSION REGEX "^FILEVERSION ")
string(REGEX REPLACE "^FILEVERSION ([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+).*" "\\1.\\2.\\3.\\4"
       TV_MANIFEST_VERSION "${TV_FILE_VERSION}")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/Version.rc)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TV_MANIFEST_ARCHITECTURE amd64)
else()
  set(TV_MANIFEST_ARCHITECTURE x86)
endif()

# Gives target the manifest, with its own assembly name and description.
function(tv_add_manifest target name description)
  set(TV_MANIFEST_NAME ${name})
  set(TV_MANIFEST_DESCRIPTION ${description})
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/resources/Program.manifest.in ${manifest} @ONLY)
  # 1 is CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 is RT_MANIFEST
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc CONTENT "1 24 \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc PROPERTIES OBJECT_DEPENDS ${manifest})
endfunction()
