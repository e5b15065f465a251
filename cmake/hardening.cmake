# The distribution's hardening flags for optimised builds (fortified functions, stack protector,
# relro, bind-now, format security), taken from dpkg-buildflags where it exists so that they
# follow the distribution rather than a copy kept here. The sanitizer and fuzzing builds go
# without: the fortified functions would hide accesses from AddressSanitizer.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT TARNEL_SANITIZE AND NOT TARNEL_FUZZ AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$")
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        # hardening=+all adds bind-now to what the distribution turns on by default.
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags
            OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(TARNEL_HARDENING_${kind} UNIX_COMMAND "${flags}")
        message(STATUS "${kind} from dpkg-buildflags: ${flags}")
    endforeach()
    add_compile_options(${TARNEL_HARDENING_CPPFLAGS} ${TARNEL_HARDENING_CXXFLAGS})
    add_link_options(${TARNEL_HARDENING_LDFLAGS})
endif()
