# Cross-builds the game for 64-bit Windows against the Qt and SDL2 that
# scripts/windows.sh builds, and runs its test programs under Wine. Pass
#   -DZEICHENFANG_WINDOWS_QT=<Qt prefix> -DZEICHENFANG_WINDOWS_SDL2=<SDL2 prefix>
include(${CMAKE_CURRENT_LIST_DIR}/mingw64-compilers.cmake)

# CMake's own test projects read this file again: hand them the two prefixes too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEICHENFANG_WINDOWS_QT ZEICHENFANG_WINDOWS_SDL2)
foreach(prefix ZEICHENFANG_WINDOWS_QT ZEICHENFANG_WINDOWS_SDL2)
    if(NOT IS_DIRECTORY "${${prefix}}")
        message(FATAL_ERROR "${prefix} must name the folder the library is installed in (scripts/windows.sh builds it)")
    endif()
endforeach()
list(APPEND CMAKE_FIND_ROOT_PATH ${ZEICHENFANG_WINDOWS_QT} ${ZEICHENFANG_WINDOWS_SDL2})
list(APPEND CMAKE_PREFIX_PATH ${ZEICHENFANG_WINDOWS_QT} ${ZEICHENFANG_WINDOWS_SDL2})

# moc, rcc and uic are the Linux ones of the same Qt version. Debian keeps their
# CMake files in the multiarch folder, where Qt would not look by itself.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The test programs run under Wine, in a Wine prefix of the build folder's own, and
# find their DLLs where they were built: Qt's and SDL2's, and the compiler's runtime.
set(dll_dirs ${ZEICHENFANG_WINDOWS_QT}/bin ${ZEICHENFANG_WINDOWS_SDL2}/bin)
foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(REAL_PATH ${runtime} runtime)
    get_filename_component(runtime_dir ${runtime} DIRECTORY)
    list(APPEND dll_dirs ${runtime_dir})
endforeach()
list(TRANSFORM dll_dirs PREPEND Z:) # Wine's drive Z: is the Linux root
# Wine's path separator is CMake's list separator, so it goes in escaped.
list(JOIN dll_dirs "\\;" wine_path)
# Without a console Qt logs, and Qt Test reports, to the debugger only, unless told to
# use stderr. Wine passes on no QT_ variable from Linux; WINEQT_X arrives as QT_X.
# Wine takes the user's locale, and the character set of Linux file names, from LC_ALL.
# Every test program gets the same, with UTF-8: a program started under another locale
# rewrites the prefix's regional settings for all that run beside it.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all "WINEPATH=${wine_path}"
    WINEQT_FORCE_STDERR_LOGGING=1 LC_ALL=C.UTF-8 wine)
