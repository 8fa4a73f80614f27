# Fails when a file in src/ includes one from a layer above its own, or when
# the Qt-free layers include Qt or X11. Run: cmake -DSOURCE_DIR=src -P this.
#
cmake_minimum_required(VERSION 3.25)
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# Each folder with the folders it may include besides itself, lowest first.
set(layers
  "base:"
  "icontheme:base"
  "model:base"
  "hotcorner:base"
  "discovery:base,icontheme,model"
  "launcher:base,model,hotcorner"
  "adapters/wayland:base,hotcorner"
  "adapters/x11:base"
  "adapters/qt:base,model,discovery,hotcorner,adapters/x11,adapters/wayland"
  "views:base,icontheme,model,discovery,launcher,adapters/qt,adapters/x11"
  "app:base,icontheme,model,discovery,hotcorner,launcher,adapters/wayland,adapters/x11,adapters/qt,views")
# The folders built into libraries without Qt.
set(qt_free base icontheme model hotcorner discovery launcher adapters/wayland)

set(faults "")
set(known "")
foreach(layer IN LISTS layers)
  string(REPLACE ":" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(APPEND known ${folder})
  set(allowed_${folder} ${folder})
  list(LENGTH parts count)
  if(count GREATER 1)
    list(GET parts 1 below)
    string(REPLACE "," ";" below "${below}")
    list(APPEND allowed_${folder} ${below})
  endif()
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(file IN LISTS files)
  get_filename_component(folder ${file} DIRECTORY)
  if(NOT folder IN_LIST known)
    list(APPEND faults "${file}: the folder ${folder} has no layer")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include [\"<]")
  foreach(line IN LISTS includes)
    if(line MATCHES "^#include \"(.+)/[^/]+\"")
      set(target ${CMAKE_MATCH_1})
      if(target IN_LIST known AND NOT target IN_LIST allowed_${folder})
        list(APPEND faults "${file}: ${line} runs from ${folder} up to ${target}")
      endif()
    elseif(folder IN_LIST qt_free AND line MATCHES "^#include <(Q[A-Za-z]*|xcb/.*|X11/.*)>")
      list(APPEND faults "${file}: ${line} brings the display into ${folder}")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes that break the layers:\n${text}")
endif()
list(LENGTH files count)
message(STATUS "${count} files, every include runs down")
