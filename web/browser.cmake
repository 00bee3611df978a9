# The game linked for a web page (configured by tools/web.sh through emcmake). The
# loop is unchanged: asyncify lets SDL_Delay hand each frame back to the browser. The
# sheets are preloaded at /content, and the program starts in /, so
# "../content/sprites/umbercrag/" names them as it does on the desktop.
set(VANTOREL_WEB_SHEETS ${PROJECT_SOURCE_DIR}/content/sprites/umbercrag)
target_link_options(vantorel PRIVATE
  -sASYNCIFY
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  "--preload-file=${VANTOREL_WEB_SHEETS}@/content/sprites/umbercrag")
# The sheets are packed at link time, so an edited sheet must link again.
file(GLOB VANTOREL_WEB_SHEET_FILES CONFIGURE_DEPENDS ${VANTOREL_WEB_SHEETS}/*)
set_property(TARGET vantorel APPEND PROPERTY LINK_DEPENDS ${VANTOREL_WEB_SHEET_FILES})

# The page's icons, for the manifest, drawn by the icon tool built for this machine.
set(VANTOREL_ICON_TOOL "" CACHE FILEPATH "vantorel_icon built for the machine that builds")
if(NOT EXISTS "${VANTOREL_ICON_TOOL}")
  message(FATAL_ERROR "VANTOREL_ICON_TOOL must name vantorel_icon built for this machine")
endif()
set(VANTOREL_WEB_ICONS)
foreach(size IN ITEMS 192 512)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/icon-${size}.png)
  vantorel_draw_icon(${VANTOREL_ICON_TOOL} ${size} ${icon})
  list(APPEND VANTOREL_WEB_ICONS ${icon})
endforeach()
add_custom_target(vantorel_web_icons ALL DEPENDS ${VANTOREL_WEB_ICONS})
