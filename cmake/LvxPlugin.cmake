# lvx_add_plugin(NAME <name> SOURCES <file>... RESOURCES <script>... [LIBRARIES <target>...])
#
# Builds the plug-in module <name>.pgs into the library folder: a shared object that exports only
# DllRegisterServer, DllUnregisterServer, DllGetClassObject and DllCanUnloadNow (linker version
# script), compiled with hidden visibility, with the component server frame of platform/com compiled
# in and the resource scripts (type library, version resource) compiled by lvx-rc into its
# ".lvx.rsrc" section. The target is named <name>. SOURCES define lvx::plugin::DataText and DataRun
# (lvx/PluginServer.h); LIBRARIES are linked privately.
set(LVX_PLUGIN_VERSION_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/lvx_plugin.map)

function(lvx_add_plugin)
    cmake_parse_arguments(PLUGIN "" "NAME" "SOURCES;RESOURCES;LIBRARIES" ${ARGN})
    if(NOT PLUGIN_NAME OR NOT PLUGIN_SOURCES OR NOT PLUGIN_RESOURCES)
        message(FATAL_ERROR "lvx_add_plugin needs NAME, SOURCES and RESOURCES")
    endif()
    set(scripts)
    foreach(script IN LISTS PLUGIN_RESOURCES)
        get_filename_component(script ${script} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND scripts ${script})
    endforeach()
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${PLUGIN_NAME}_resources.cpp)
    add_custom_command(
        OUTPUT ${generated}
        COMMAND lvx-rc -o ${generated} ${scripts}
        DEPENDS lvx-rc ${scripts}
        COMMENT "Compiling the resources of ${PLUGIN_NAME}"
        VERBATIM)

    add_library(${PLUGIN_NAME} MODULE ${PLUGIN_SOURCES} ${generated} $<TARGET_OBJECTS:lvx_plugin_server>)
    set_target_properties(${PLUGIN_NAME} PROPERTIES
        PREFIX ""
        SUFFIX ".pgs"
        OUTPUT_NAME ${PLUGIN_NAME}
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LINK_DEPENDS ${LVX_PLUGIN_VERSION_SCRIPT})
    target_link_options(${PLUGIN_NAME} PRIVATE
        -Wl,--version-script=${LVX_PLUGIN_VERSION_SCRIPT} -Wl,--no-undefined)
    target_link_libraries(${PLUGIN_NAME} PRIVATE lvx_com ${PLUGIN_LIBRARIES})
endfunction()
