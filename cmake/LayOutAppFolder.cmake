# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Lays out an application folder: cmake -DSOURCE=<data> -DDEST=<folder> -DAPP_FOLDER=<path>
# -P LayOutAppFolder.cmake. DEST is where files go, APP_FOLDER the path the program will
# run from, which path.lmr names.
foreach(var SOURCE DEST APP_FOLDER)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "LayOutAppFolder: ${var} is not set")
    endif()
endforeach()

file(MAKE_DIRECTORY "${DEST}")

# The program's own files: replaced by every build, the user never edits them.
file(GLOB own "${SOURCE}/Rantxt.lmr" "${SOURCE}/*.mid")
foreach(file IN LISTS own)
    file(COPY "${file}" DESTINATION "${DEST}")
endforeach()

# The user's files: slot names, verses and notes are only put where they are missing.
file(GLOB user "${SOURCE}/configure.lmr" "${SOURCE}/c*.txt" "${SOURCE}/c*.dat")
foreach(file IN LISTS user)
    get_filename_component(name "${file}" NAME)
    if(NOT EXISTS "${DEST}/${name}")
        file(COPY "${file}" DESTINATION "${DEST}")
    endif()
endforeach()

if(NOT EXISTS "${DEST}/path.lmr")
    file(WRITE "${DEST}/path.lmr" "${APP_FOLDER}\r\n")
endif()
