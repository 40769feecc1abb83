# Installs the build into a scratch folder and checks that the program, its help pages and the
# desktop integration land where a Linux desktop looks for them.
# Usage: cmake -DBUILD_DIR=... -DSTAGE=... -P check_install.cmake
file(REMOVE_RECURSE "${STAGE}")
set(ENV{DESTDIR} "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr/local
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed: ${result}")
endif()
set(root "${STAGE}/usr/local")
foreach(file bin/PlicatoPRO bin/plicato-cli share/man/man1/plicato-cli.1
        share/PlicatoPRO/help/index.html share/PlicatoPRO/help/en.html
        share/applications/plicatopro.desktop share/mime/packages/plicatopro.xml
        share/icons/hicolor/scalable/apps/plicatopro.svg
        share/icons/hicolor/scalable/mimetypes/application-x-plicatopro.svg)
    if(NOT EXISTS "${root}/${file}")
        message(FATAL_ERROR "missing after install: ${file}")
    endif()
endforeach()
file(READ "${root}/share/applications/plicatopro.desktop" desktop)
foreach(line "Exec=PlicatoPRO %f" "Icon=plicatopro" "MimeType=application/x-plicatopro;")
    string(FIND "${desktop}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks ${line}")
    endif()
endforeach()
file(READ "${root}/share/mime/packages/plicatopro.xml" mime)
string(FIND "${mime}" "<glob pattern=\"*.plq\"/>" at)
if(at EQUAL -1)
    message(FATAL_ERROR "MIME type does not claim *.plq")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${root}/share/applications/plicatopro.desktop"
                    RESULT_VARIABLE valid)
    if(NOT valid EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate refused the desktop entry")
    endif()
endif()
file(REMOVE_RECURSE "${STAGE}")
