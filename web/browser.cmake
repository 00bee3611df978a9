# The game linked for a web page (configured by tools/web.sh through emcmake). The
# loop is unchanged: asyncify lets SDL_Delay hand each frame back to the browser. The
# sheets are preloaded at /content, and the program starts in /, so
# "../content/sprites/umbercrag/" names them as it does on the desktop.
target_link_options(vantorel PRIVATE
  -sASYNCIFY
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  "--preload-file=${PROJECT_SOURCE_DIR}/content/sprites/umbercrag@/content/sprites/umbercrag")
