# SPDX-License-Identifier: GPL-3.0-or-later
# Media Foundation, loaded only when the song's player first needs it.
#
# Qt's Windows media backend imports Media Foundation's libraries. Windows
# N and KN editions, and Windows without the Media Feature Pack, have none
# of them, and the loader refuses a program that imports a library it cannot
# find: no letter could be learnt there. So they are linked as delay-load
# imports: the system loads each the first time one of its functions is
# called, which only the player does, and only once it has found them all
# (platform/windows/media/mediasource.cpp names the same libraries).
#
# Each delay-load import library is made from the toolchain's own import
# library: the functions it exports and its library's name, by dlltool.
# The bare names Qt's backend links (-lmf, ...) find these first, as does
# the WMF::WMF target, which names the toolchain's by their full paths.
set(SNOMEL_DELAYED_MEDIA_LIBRARIES mf mfplat mfreadwrite evr mfcore)
set(delayed_dir ${CMAKE_BINARY_DIR}/delay-import)
file(MAKE_DIRECTORY ${delayed_dir})
foreach(name IN LISTS SNOMEL_DELAYED_MEDIA_LIBRARIES)
    find_library(import_library_${name} NAMES ${name} REQUIRED NO_CACHE)
    set(import_library ${import_library_${name}})
    set(delayed ${delayed_dir}/lib${name}.a)
    if(NOT EXISTS ${delayed} OR ${import_library} IS_NEWER_THAN ${delayed})
        execute_process(COMMAND ${CMAKE_DLLTOOL} --identify ${import_library}
            OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        execute_process(COMMAND ${CMAKE_NM} --defined-only ${import_library}
            OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" imports "${symbols}")
        list(TRANSFORM imports REPLACE " I __imp_" "")
        list(REMOVE_DUPLICATES imports)
        list(JOIN imports "\n    " exports)
        file(WRITE ${delayed_dir}/${name}.def "LIBRARY \"${dll}\"\nEXPORTS\n    ${exports}\n")
        # Named from within its folder: dlltool names the library's symbols
        # after the path it is given, and the build's paths stay out of them.
        execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${name}.def
                --dllname ${dll} --output-delaylib lib${name}.a
            WORKING_DIRECTORY ${delayed_dir} COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
link_directories(BEFORE ${delayed_dir})
if(TARGET WMF::WMF)
    get_target_property(wmf WMF::WMF INTERFACE_LINK_LIBRARIES)
    foreach(name IN LISTS SNOMEL_DELAYED_MEDIA_LIBRARIES)
        list(TRANSFORM wmf REPLACE "^${import_library_${name}}$" "${delayed_dir}/lib${name}.a")
    endforeach()
    set_target_properties(WMF::WMF PROPERTIES INTERFACE_LINK_LIBRARIES "${wmf}")
endif()
