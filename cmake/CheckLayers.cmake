# Run by the build for each floor library: every quoted include of the floor's sources and headers
# must name a folder of the floor itself or of a floor below it. An include that reaches up fails
# the build here, with the file and the include named, before anything is compiled.
#   cmake -DFLOOR=name -DLIST=file-of-paths -DVISIBLE=dir;dir -DROOT=src -DSTAMP=out -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${LIST}" files)
set(violations "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" included "${line}")
    get_filename_component(folder "${included}" DIRECTORY)
    # Files of the same folder (and generated files such as moc output) are named without one.
    if(folder STREQUAL "")
      continue()
    endif()
    if(NOT folder IN_LIST VISIBLE)
      file(RELATIVE_PATH shown "${ROOT}" "${file}")
      string(APPEND violations "\n  ${shown} includes \"${included}\"")
    endif()
  endforeach()
endforeach()
if(violations)
  string(REPLACE ";" ", " allowed "${VISIBLE}")
  message(FATAL_ERROR "The ${FLOOR} floor includes from a floor above it:${violations}\n"
                      "It may include only: ${allowed}")
endif()
file(WRITE "${STAMP}" "")
