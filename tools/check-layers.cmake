# Refuses an include that points up a layer or sideways between two windows, written in
# quotes or in angle brackets.
#   cmake -DSOURCE_DIR=<folder holding the layer folders> -P tools/check-layers.cmake
# Each layer may include its own headers and those of the layers listed for it. The
# windows are peers: none includes another, apart from the small dialogs a window shows
# as a part of itself; only the app, which makes every window, knows them all.
cmake_minimum_required(VERSION 3.25)

set(uses_data "")
set(uses_platform "")
set(uses_state data platform)
set(uses_chrome data platform)
set(uses_launching chrome state data platform)
set(uses_dialogs chrome state data platform)
set(uses_editor chrome state data platform)
set(uses_settings chrome state data platform)
set(uses_minilist launching dialogs chrome state data platform)
set(uses_main launching chrome state data platform)
set(uses_app main editor settings minilist dialogs launching chrome state data platform)
set(layers data platform state chrome launching dialogs editor settings minilist main app)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
if(NOT sources)
    message(FATAL_ERROR "No sources under '${SOURCE_DIR}'")
endif()
list(SORT sources)
set(refused 0)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" layer "${source}")
    if(NOT layer IN_LIST layers)
        message("${source}: the folder '${layer}' is no known layer; give it its place in tools/check-layers.cmake")
        math(EXPR refused "${refused} + 1")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+/[^\">]+[\">]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*" "\\1" included "${line}")
        string(REGEX MATCH "^[^/]+" target "${included}")
        # <sys/stat.h> and the like are no layer of ours.
        if(target STREQUAL layer OR target IN_LIST uses_${layer} OR NOT target IN_LIST layers)
            continue()
        endif()
        message("${source} includes ${included}: '${layer}' may not use '${target}'")
        math(EXPR refused "${refused} + 1")
    endforeach()
endforeach()

if(refused GREATER 0)
    message(FATAL_ERROR "${refused} include(s) cross the layers")
endif()
message("Layers: every include points down or stays in its layer.")
