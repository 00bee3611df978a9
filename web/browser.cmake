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
