# The game for Windows, configured by tools/windows.sh with the MinGW-w64 toolchain:
# vantorel.exe, and Vantorel.exe, the launcher a player opens (see tools/windows.sh for
# the folder they go in). Both are windowed programs, linked statically so that they
# need only Windows' own DLLs, stripped, and the same bytes from the same tree.
enable_language(RC)

set(VANTOREL_ICON_TOOL "" CACHE FILEPATH "vantorel_icon built for the machine that builds")
if(NOT EXISTS "${VANTOREL_ICON_TOOL}")
  message(FATAL_ERROR "VANTOREL_ICON_TOOL must name vantorel_icon built for this machine")
endif()
find_program(VANTOREL_ICOTOOL icotool REQUIRED)

# The icon: the desktop's cell at Windows' sizes, the largest kept as PNG as Windows
# expects of 256 px.
set(VANTOREL_ICON_PICTURES)
foreach(size IN ITEMS 16 32 48 256)
  set(picture ${CMAKE_CURRENT_BINARY_DIR}/windows/icon-${size}.png)
  vantorel_draw_icon(${VANTOREL_ICON_TOOL} ${size} ${picture})
  list(APPEND VANTOREL_ICON_PICTURES ${picture})
endforeach()
set(VANTOREL_ICO ${CMAKE_CURRENT_BINARY_DIR}/windows/vantorel.ico)
list(GET VANTOREL_ICON_PICTURES 0 1 2 VANTOREL_SMALL_ICONS)
list(GET VANTOREL_ICON_PICTURES 3 VANTOREL_LARGE_ICON)
add_custom_command(OUTPUT ${VANTOREL_ICO}
  COMMAND ${VANTOREL_ICOTOOL} --create --output=${VANTOREL_ICO} ${VANTOREL_SMALL_ICONS}
          --raw=${VANTOREL_LARGE_ICON}
  DEPENDS ${VANTOREL_ICON_PICTURES}
  VERBATIM)

# The licence's name is the first line of LICENSE, its holder the copyright line.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE VANTOREL_LICENSE_LINES LIMIT_COUNT 3)
list(GET VANTOREL_LICENSE_LINES 0 VANTOREL_LICENSE_NAME)
list(GET VANTOREL_LICENSE_LINES 2 VANTOREL_COPYRIGHT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# windowed: no console window on a double-click. The rest keeps the bytes the same
# from build to build: no link time stamp, no symbols, no build paths.
function(vantorel_windows_program target file description)
  set(VANTOREL_RC_FILE ${file})
  set(VANTOREL_RC_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/windows/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${VANTOREL_ICO})
  target_sources(${target} PRIVATE ${rc})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -s
                      -Wl,--no-insert-timestamp)
endfunction()

# main.cpp does not include SDL.h, so main stays main, and MinGW's own start-up calls
# it in a windowed program too: no SDL2main.
vantorel_windows_program(vantorel vantorel.exe "Vantorel, the game")

add_executable(vantorel_launcher ${PROJECT_SOURCE_DIR}/windows/launcher.cpp)
target_link_libraries(vantorel_launcher PRIVATE vantorel_warnings)
set_target_properties(vantorel_launcher PROPERTIES OUTPUT_NAME Vantorel
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
vantorel_windows_program(vantorel_launcher Vantorel.exe "Vantorel")

# The stop signals' seam tried on Windows itself: a console program that runs the game
# on SDL's dummy driver and sends itself console events (tests/windows/).
add_executable(vantorel_stop_signals_probe
  ${PROJECT_SOURCE_DIR}/tests/windows/stop_signals_probe.cpp)
target_link_libraries(vantorel_stop_signals_probe PRIVATE vantorel_core SDL2::SDL2main)
target_link_options(vantorel_stop_signals_probe PRIVATE -static -static-libgcc
                    -static-libstdc++)
