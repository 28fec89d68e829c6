# SPDX-License-Identifier: GPL-3.0-or-later
# The program icon rendered as square PNG images (snomel-icon-png), for the
# desktop's icon theme (packaging/) and the web app manifest (packaging/web/).

# snomel_render_icons(images folder size...): renders the icon at each size
# into folder/<size>x<size>/apps/snomel.png, and sets images to their paths.
function(snomel_render_icons images folder)
    set(rendered)
    foreach(size IN LISTS ARGN)
        list(APPEND rendered ${folder}/${size}x${size}/apps/snomel.png)
    endforeach()
    add_custom_command(OUTPUT ${rendered}
        COMMAND snomel-icon-png ${PROJECT_SOURCE_DIR}/resources/snomel.ico ${folder} ${ARGN}
        DEPENDS snomel-icon-png ${PROJECT_SOURCE_DIR}/resources/snomel.ico
        VERBATIM)
    set(${images} ${rendered} PARENT_SCOPE)
endfunction()
