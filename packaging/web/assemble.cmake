# SPDX-License-Identifier: GPL-3.0-or-later
# Lays the web page's folder OUT out afresh (packaging/web/CMakeLists.txt
# passes what goes in), then writes the service worker with the list of
# every file and a version that is the hash of them all.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/media)

file(COPY ${PAGE}/index.html ${PAGE}/snomel-page.js ${PROGRAM}/snomel.js ${PROGRAM}/snomel.wasm
     ${COPYRIGHT} DESTINATION ${OUT})
file(COPY ${ICONS} DESTINATION ${OUT})
file(COPY_FILE ${LICENSE} ${OUT}/LICENSE.txt)
file(COPY ${MEDIA} DESTINATION ${OUT}/media)

set(SNOMEL_WEB_TITLE ${TITLE})
set(SNOMEL_DISPLAY_NAME ${DISPLAY_NAME})
configure_file(${PAGE}/manifest.webmanifest.in ${OUT}/manifest.webmanifest @ONLY)

# The media's names, for the page to fetch them into the program folder.
set(names)
foreach(file IN LISTS MEDIA)
    get_filename_component(name ${file} NAME)
    list(APPEND names "\"${name}\"")
endforeach()
list(SORT names)
list(JOIN names ", " names)
file(WRITE ${OUT}/media.json "[${names}]\n")

file(GLOB_RECURSE files RELATIVE ${OUT} ${OUT}/*)
list(SORT files)
set(digests)
set(quoted)
foreach(file IN LISTS files)
    file(SHA256 ${OUT}/${file} digest)
    string(APPEND digests "${digest} ${file}\n")
    list(APPEND quoted "'${file}'")
endforeach()
list(JOIN quoted ", " quoted)
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 SNOMEL_WEB_VERSION)
set(SNOMEL_WEB_FILES ${quoted})
configure_file(${PAGE}/service-worker.js.in ${OUT}/service-worker.js @ONLY)
