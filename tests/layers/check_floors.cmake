# Fails when a source file includes a folder on a higher floor than its own, or a sibling folder of
# the same floor. The floors, bottom to top (the README's "How the code is laid out"):
#   1 core      the failure type, the wall records and the catalogue of their fields, the catalogue
#               of messages, the bar rules, the bar list and the handed values, the sheet layout,
#               findings and printed tables
#   2 input     the readers of the input files
#   2 output    the writers, the canvas and the drafting primitives, the picture, the spreadsheet
#   3 context   the per-run context
#   4 drawings, schedule, checks, design (the design checks of the wall and their report)
#   5 sheet     run_sheet, the one entry that draws a sheet
#   6 cli, server   the front doors: the command line and the editor
#   7 main      the program's entry, which hands the command line the editor's door
# Only the server may use the outside libraries of the editor, and only the PDF module
# (output/pdf/module, built apart from the program and loaded for lwall --pdf) cairo and the fonts.
# Usage: cmake -DSOURCE_DIR=<src> -P check_floors.cmake
set(floor_core 1)
set(floor_input 2)
set(floor_output 2)
set(floor_context 3)
set(floor_drawings 4)
set(floor_schedule 4)
set(floor_checks 4)
set(floor_design 4)
set(floor_sheet 5)
set(floor_cli 6)
set(floor_server 6)
set(floor_main 7)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.hpp ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source ${sources})
  string(REGEX MATCH "^[^/]+" from ${source})
  if(NOT DEFINED floor_${from})
    string(APPEND faults "  ${source}: the folder ${from} stands on no floor\n")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#[ \t]*include[ \t]*[\"<]")
  foreach(line ${includes})
    if(line MATCHES "[<\"](httplib\\.h|nlohmann/)" AND NOT from STREQUAL "server")
      string(APPEND faults "  ${source}: ${line} (only the server uses the editor's libraries)\n")
    endif()
    if(line MATCHES "[<\"](cairo[-.a-z]*\\.h|fontconfig/|ft2build\\.h|freetype/)" AND NOT source MATCHES "^output/pdf/module/")
      string(APPEND faults "  ${source}: ${line} (only the PDF module uses cairo and the fonts)\n")
    endif()
    if(NOT line MATCHES "\"([^/\"]+)/[^\"]+\"")
      continue()  # a system header, or a file beside the source
    endif()
    set(to ${CMAKE_MATCH_1})
    if(to STREQUAL from)
      continue()
    endif()
    if(NOT DEFINED floor_${to})
      string(APPEND faults "  ${source}: ${line} names the folder ${to}, which stands on no floor\n")
    elseif(NOT floor_${to} LESS floor_${from})
      string(APPEND faults
             "  ${source}: ${line} reaches ${to} (floor ${floor_${to}}) from ${from} (floor ${floor_${from}})\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that do not point down a floor:\n${faults}")
endif()
list(LENGTH sources n)
message(STATUS "${n} files, every include points down a floor")
