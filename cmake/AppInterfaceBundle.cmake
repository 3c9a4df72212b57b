# appinterface_add_bundle(TARGET <executable target> [NAME <name>]
#                         [IDENTIFIER <id>] [OUTPUT_DIRECTORY <folder>]
#                         [RESOURCES <files or folders>...])
#
# Wraps the program that <executable target> builds in <folder>/<name>.app
# (<name> defaults to the target's name, <folder> to the current binary folder):
# the launcher as Contents/MacOS/<name>, an Info.plist that names the program,
# and the program and the resources in Contents/Resources. Opening the bundle
# starts the program. The bundle is remade whenever the program, a resource,
# the launcher or the bundle tool changes; the custom target <target>_bundle
# builds it and is part of the default build.
function(appinterface_add_bundle)
    cmake_parse_arguments(PARSE_ARGV 0 BUNDLE "" "TARGET;NAME;IDENTIFIER;OUTPUT_DIRECTORY"
                          "RESOURCES")
    if(NOT BUNDLE_TARGET)
        message(FATAL_ERROR "appinterface_add_bundle: TARGET is required")
    endif()
    if(BUNDLE_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "appinterface_add_bundle: unknown arguments ${BUNDLE_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT BUNDLE_NAME)
        set(BUNDLE_NAME ${BUNDLE_TARGET})
    endif()
    if(NOT BUNDLE_OUTPUT_DIRECTORY)
        set(BUNDLE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set(identifier)
    if(BUNDLE_IDENTIFIER)
        set(identifier --identifier ${BUNDLE_IDENTIFIER})
    endif()
    set(resources)
    foreach(resource IN LISTS BUNDLE_RESOURCES)
        cmake_path(ABSOLUTE_PATH resource BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND resources ${resource})
    endforeach()

    set(bundle ${BUNDLE_OUTPUT_DIRECTORY}/${BUNDLE_NAME}.app)
    # mkbundle writes the whole bundle at once; its Info.plist stands for it.
    add_custom_command(
        OUTPUT ${bundle}/Contents/Info.plist
        COMMAND $<TARGET_FILE:AppInterface::mkbundle> --force
                --launcher $<TARGET_FILE:AppInterface::launcher> ${identifier}
                -o ${bundle} $<TARGET_FILE:${BUNDLE_TARGET}> ${resources}
        DEPENDS ${BUNDLE_TARGET} $<TARGET_FILE:AppInterface::mkbundle>
                $<TARGET_FILE:AppInterface::launcher> ${resources}
        COMMENT "Wrapping ${BUNDLE_TARGET} in ${BUNDLE_NAME}.app"
        VERBATIM)
    add_custom_target(${BUNDLE_TARGET}_bundle ALL DEPENDS ${bundle}/Contents/Info.plist)
endfunction()
