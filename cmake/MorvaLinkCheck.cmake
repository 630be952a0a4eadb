# morva_forbid_links(<what> PATTERN <regex> TARGETS <target>...)
#
# Fails the configure if any of the targets reaches a library whose name (or
# file path) matches <regex>, following LINK_LIBRARIES and
# INTERFACE_LINK_LIBRARIES from target to target, and names the path it took:
#
#   morva_globe_75 must not reach Qt, and does: morva_globe_75 -> ... -> Qt6::Widgets
#
# Call it at the end of the top-level CMakeLists, when every target exists.
# Imported targets defined in a subdirectory are not visible there; they are
# checked by name and not followed.

# The libraries one target links, each a target or library name: generator
# expressions are opened up (every name they could yield counts) and the
# markers of items linked from another directory are dropped.
function(_morva_direct_links target pattern out)
    get_target_property(aliased ${target} ALIASED_TARGET)
    if(aliased)
        set(target ${aliased})
    endif()
    get_target_property(type ${target} TYPE)
    get_target_property(imported ${target} IMPORTED)
    set(entries)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    if(interface)
        list(APPEND entries ${interface})
    endif()
    if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT imported)
        get_target_property(own ${target} LINK_LIBRARIES)
        if(own)
            list(APPEND entries ${own})
        endif()
    endif()

    set(names)
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^::@")
            continue()
        endif()
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" entry "${entry}")
        if(NOT entry MATCHES "\\$<")
            list(APPEND names ${entry})
            continue()
        endif()
        # The words between the expression's ':', ',', '<' and '>', keeping
        # the '::' of target names.
        string(REPLACE "::" "@@" entry "${entry}")
        string(REGEX MATCHALL "[A-Za-z0-9_.+/@-]+" words "${entry}")
        foreach(word IN LISTS words)
            string(REPLACE "@@" "::" word "${word}")
            if(TARGET ${word} OR word MATCHES "${pattern}")
                list(APPEND names ${word})
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES names)
    set(${out} ${names} PARENT_SCOPE)
endfunction()

function(morva_forbid_links what)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "PATTERN" "TARGETS")
    foreach(root IN LISTS arg_TARGETS)
        if(NOT TARGET ${root})
            message(FATAL_ERROR "morva_forbid_links: no target ${root}")
        endif()
        set(queue ${root})
        set(seen ${root})
        while(queue)
            list(POP_FRONT queue current)
            _morva_direct_links(${current} "${arg_PATTERN}" links)
            foreach(link IN LISTS links)
                if(link IN_LIST seen)
                    continue()
                endif()
                set(came_from_${link} ${current})
                if(link MATCHES "${arg_PATTERN}")
                    set(path ${link})
                    set(step ${link})
                    while(NOT step STREQUAL root)
                        set(step ${came_from_${step}})
                        string(PREPEND path "${step} -> ")
                    endwhile()
                    message(FATAL_ERROR "${root} must not reach ${what}, and does: ${path}")
                endif()
                list(APPEND seen ${link})
                if(TARGET ${link})
                    list(APPEND queue ${link})
                endif()
            endforeach()
        endwhile()
    endforeach()
endfunction()
