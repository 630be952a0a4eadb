# morva_publish_folder(<target> <folder> [FILES <file>...])
#
# Lets <target>, and every target that links it, include the headers of one
# folder of the source tree as "<folder>/name.h", and nothing else of the
# tree: the include directory is made in the build tree and holds only a
# symbolic link named after the folder. A source that includes "app/..."
# without linking the library that publishes app/ then fails to compile.
#
# With FILES, the folder in the build tree is a real one holding links to
# just those files of <folder>.
#
# A library publishes its folder to its users; an executable (a test with
# headers of its own) only to itself.
function(morva_publish_folder target folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FILES")
    set(include_dir ${CMAKE_BINARY_DIR}/include/${target})
    set(published ${include_dir}/${folder})
    if(arg_FILES)
        # Only links are removed here, never what they point to.
        if(IS_SYMLINK ${published})
            file(REMOVE ${published})
        endif()
        file(GLOB stale ${published}/*)
        if(stale)
            file(REMOVE ${stale})
        endif()
        file(MAKE_DIRECTORY ${published})
        foreach(file IN LISTS arg_FILES)
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${file} ${published}/${file} SYMBOLIC)
        endforeach()
    else()
        get_filename_component(parent ${published} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${published} SYMBOLIC)
    endif()

    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        set(scope INTERFACE)
    elseif(type STREQUAL "EXECUTABLE")
        set(scope PRIVATE)
    else()
        set(scope PUBLIC)
    endif()
    target_include_directories(${target} ${scope} ${include_dir})
endfunction()
