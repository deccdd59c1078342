# The user guide that Help opens when no quorbel.hlp is in the program's
# current folder, with the pictures it shows: one list for every package.
set(QUORBEL_GUIDE_FILES
    ${PROJECT_SOURCE_DIR}/docs/guide.html ${PROJECT_SOURCE_DIR}/docs/main-window.png
    ${PROJECT_SOURCE_DIR}/docs/editor-playing.png ${PROJECT_SOURCE_DIR}/docs/surface-window.png)
