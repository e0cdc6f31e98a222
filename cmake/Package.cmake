# The program folder as it ships: orvella.exe and undelete.dll with the data folders Translation,
# Flags, skins and data beside them, in <build>/package/Orvella (target program_folder, part of
# every Windows build), and that folder zipped with the version in its name (target program_zip).
# The x86 build assembles the shipped program; the x64 build assembles its own the same way, so
# the program can be run from such a folder under Wine.
#
# Included from the top CMakeLists.txt; run with `cmake -P` it assembles the folder (see the end).

# Where the folder lands below a build directory; the native tests look there too.
set(ORVELLA_PROGRAM_FOLDER_NAME Orvella)
set(ORVELLA_PACKAGE_SUBDIR package/${ORVELLA_PROGRAM_FOLDER_NAME})
# The data folders that ship, each copied as it is below data/ in the tree.
set(ORVELLA_SHIPPED_DATA_FOLDERS Translation Flags skins data)

if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DFOLDER=<program folder> -DDATA=<data dir> -DIMAGES=<exe>|<dll> [-DSTRIP=<strip>] -P ...
  if(NOT FOLDER OR NOT IS_ABSOLUTE "${FOLDER}" OR NOT FOLDER MATCHES "/package/[^/]+$")
    message(FATAL_ERROR "program folder: refusing to assemble into \"${FOLDER}\"")
  endif()
  # Starting empty, so a file removed from the tree does not linger in the folder.
  file(REMOVE_RECURSE "${FOLDER}")
  file(MAKE_DIRECTORY "${FOLDER}")
  foreach(_sub ${ORVELLA_SHIPPED_DATA_FOLDERS})
    if(IS_DIRECTORY "${DATA}/${_sub}")
      file(COPY "${DATA}/${_sub}" DESTINATION "${FOLDER}" PATTERN ".*" EXCLUDE)
    else()
      # data/data may not exist yet; the program expects the folder all the same.
      file(MAKE_DIRECTORY "${FOLDER}/${_sub}")
    endif()
  endforeach()
  string(REPLACE "|" ";" _images "${IMAGES}")
  foreach(_image ${_images})
    get_filename_component(_name "${_image}" NAME)
    file(COPY_FILE "${_image}" "${FOLDER}/${_name}")
    if(STRIP)
      # The build keeps its debug information in bin/; the shipped images do without.
      execute_process(COMMAND "${STRIP}" --strip-debug "${FOLDER}/${_name}" RESULT_VARIABLE _rc)
      if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "program folder: stripping ${_name} failed (${_rc})")
      endif()
    endif()
  endforeach()
  return()
endif()

# The version text, from the constant the program itself shows and sends.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/app/OnlineHelp.h _version_line
     REGEX "kVersionText = u\"[0-9.]+\"")
string(REGEX MATCH "[0-9]+(\\.[0-9]+)+" ORVELLA_VERSION_TEXT "${_version_line}")
if(NOT ORVELLA_VERSION_TEXT)
  message(FATAL_ERROR "no version text (kVersionText) found in src/app/OnlineHelp.h")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/src/app/win32/orvella.rc _rc_version REGEX "\"ProductVersion\"")
if(NOT _rc_version MATCHES "\"${ORVELLA_VERSION_TEXT}\"")
  message(WARNING "orvella.rc's ProductVersion is not ${ORVELLA_VERSION_TEXT}: ${_rc_version}")
endif()

if(NOT WIN32 OR NOT TARGET orvella OR NOT TARGET undelete)
  return()
endif()

set(ORVELLA_PROGRAM_FOLDER ${CMAKE_BINARY_DIR}/${ORVELLA_PACKAGE_SUBDIR})
if(ORVELLA_WIN_X86)
  set(_arch x86)
else()
  set(_arch x64)
endif()
set(ORVELLA_PROGRAM_ZIP
    ${CMAKE_BINARY_DIR}/package/${ORVELLA_PROGRAM_FOLDER_NAME}-${ORVELLA_VERSION_TEXT}-${_arch}.zip)

set(_globs)
foreach(_sub ${ORVELLA_SHIPPED_DATA_FOLDERS})
  list(APPEND _globs ${CMAKE_SOURCE_DIR}/data/${_sub}/*)
endforeach()
# Re-globbed at every build, so a file added to data/ (data/data among them) is copied too.
file(GLOB_RECURSE _data_files CONFIGURE_DEPENDS ${_globs})
list(FILTER _data_files EXCLUDE REGEX "/\\.[^/]*$")
list(SORT _data_files)
# A changed file list changes the command, so the folder is assembled again after a removal.
string(MD5 _data_list_hash "${_data_files}")

set(_strip)
if(CMAKE_STRIP)
  set(_strip -DSTRIP=${CMAKE_STRIP})
endif()
set(_stamp ${CMAKE_BINARY_DIR}/package/${ORVELLA_PROGRAM_FOLDER_NAME}.stamp)
add_custom_command(
  OUTPUT ${_stamp}
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${ORVELLA_PROGRAM_FOLDER} -DDATA=${CMAKE_SOURCE_DIR}/data
          "-DIMAGES=$<TARGET_FILE:orvella>|$<TARGET_FILE:undelete>" ${_strip}
          -DDATA_FILES_HASH=${_data_list_hash} -P ${CMAKE_CURRENT_LIST_FILE}
  COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
  DEPENDS orvella undelete ${_data_files} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Assembling the program folder ${ORVELLA_PROGRAM_FOLDER}"
  VERBATIM)
add_custom_target(program_folder ALL DEPENDS ${_stamp})

add_custom_command(
  OUTPUT ${ORVELLA_PROGRAM_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ORVELLA_PROGRAM_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${ORVELLA_PROGRAM_ZIP} --format=zip
          ${ORVELLA_PROGRAM_FOLDER_NAME}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
  DEPENDS ${_stamp}
  COMMENT "Zipping the program folder into ${ORVELLA_PROGRAM_ZIP}"
  VERBATIM)
add_custom_target(program_zip DEPENDS ${ORVELLA_PROGRAM_ZIP})
