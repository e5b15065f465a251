# The manual page and the Debian changelog, compressed as Debian ships them: gzip -9n leaves out
# the file's name and time, so the same source gives the same bytes.
function(tarnel_compress source output)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${source} ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

set(TARNEL_MANUAL ${PROJECT_BINARY_DIR}/tarnel.6.gz)
set(TARNEL_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.gz)
tarnel_compress(${PROJECT_SOURCE_DIR}/packaging/tarnel.6 ${TARNEL_MANUAL})
tarnel_compress(${PROJECT_SOURCE_DIR}/packaging/changelog ${TARNEL_CHANGELOG})
add_custom_target(documents ALL DEPENDS ${TARNEL_MANUAL} ${TARNEL_CHANGELOG})
