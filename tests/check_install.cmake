# `cmake --install` puts the program, its menu entry, the figure file type and the icons where
# a Linux desktop looks for them; the type's magic is the one figure files are written with.
set(PREFIX ${BUILD}/install-check)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(SHARE ${PREFIX}/share)
foreach(f bin/korvendal32 share/applications/korvendal32.desktop
          share/mime/packages/korvendal32.xml share/icons/hicolor/scalable/apps/korvendal32.svg
          share/icons/hicolor/scalable/mimetypes/application-x-korvendal32-figure.svg)
    if(NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
foreach(size 16 22 24 32 48 64 128 256)
    if(NOT EXISTS ${SHARE}/icons/hicolor/${size}x${size}/apps/korvendal32.png)
        message(FATAL_ERROR "no ${size}x${size} icon")
    endif()
endforeach()

file(READ ${SHARE}/applications/korvendal32.desktop entry)
foreach(line "Exec=korvendal32 %F" "Icon=korvendal32" "MimeType=application/x-korvendal32-figure;")
    string(FIND "${entry}" "\n${line}\n" at)
    if(at LESS 0)
        message(FATAL_ERROR "the menu entry lacks \"${line}\"")
    endif()
endforeach()

file(READ ${SHARE}/mime/packages/korvendal32.xml type)
file(STRINGS ${ROOT}/document/FigureFile.h magic REGEX "kMagicCurrent\\[\\] = \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" magic "${magic}")
foreach(part "type=\"application/x-korvendal32-figure\"" "<glob pattern=\"*.qvf\"/>"
             "offset=\"0\" value=\"${magic}\"")
    string(FIND "${type}" "${part}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the figure type lacks ${part}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
