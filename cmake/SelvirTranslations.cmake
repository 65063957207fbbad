# selvir_add_translations(target RESOURCE name TS_FILES a.ts ...) - compiles each Qt Linguist file with
# lrelease (Debian qt6-l10n-tools) and links the .qm files into `target` as the resource `name`, under
# ":/i18n/<file>.qm". The code registers it with Q_INIT_RESOURCE(name).
function(selvir_add_translations target)
    cmake_parse_arguments(ARG "" "RESOURCE" "TS_FILES" ${ARGN})
    find_program(SELVIR_LRELEASE NAMES lrelease lrelease-qt6
        HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}"
              /usr/lib/qt6/bin
        REQUIRED)
    set(entries "")
    set(qm_files "")
    foreach(ts IN LISTS ARG_TS_FILES)
        get_filename_component(base "${ts}" NAME_WE)
        set(qm "${CMAKE_CURRENT_BINARY_DIR}/${base}.qm")
        add_custom_command(OUTPUT "${qm}"
            COMMAND "${SELVIR_LRELEASE}" -silent "${CMAKE_CURRENT_SOURCE_DIR}/${ts}" -qm "${qm}"
            DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ts}"
            VERBATIM)
        list(APPEND qm_files "${qm}")
        string(APPEND entries "    <file>${base}.qm</file>\n")
    endforeach()
    set(qrc "${CMAKE_CURRENT_BINARY_DIR}/${ARG_RESOURCE}.qrc")
    file(GENERATE OUTPUT "${qrc}"
        CONTENT "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/i18n\">\n${entries}</qresource>\n</RCC>\n")
    set(cpp "${CMAKE_CURRENT_BINARY_DIR}/qrc_${ARG_RESOURCE}.cpp")
    add_custom_command(OUTPUT "${cpp}"
        COMMAND Qt6::rcc --name "${ARG_RESOURCE}" --output "${cpp}" "${qrc}"
        DEPENDS "${qrc}" ${qm_files}
        VERBATIM)
    set_source_files_properties("${cpp}" PROPERTIES SKIP_AUTOGEN ON GENERATED ON)
    target_sources(${target} PRIVATE "${cpp}")
endfunction()
