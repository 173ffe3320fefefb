# cmake -DMETAINFO=<metainfo.xml> -DSOURCE_DIR=<source tree> -P ScreenshotsInTree.cmake
# Fails unless the metainfo names at least one screenshot and every <image> address ends in the
# path of a PNG file of the source tree.
file(READ ${METAINFO} metainfo)
string(REGEX MATCHALL "<image>[^<]*</image>" images "${metainfo}")
if(NOT images)
    message(FATAL_ERROR "${METAINFO} names no screenshot")
endif()
foreach(image IN LISTS images)
    if(NOT image MATCHES "<image>https://[^/]+/([^<]+\\.png)</image>")
        message(FATAL_ERROR "not a web address of a PNG picture: ${image}")
    endif()
    if(NOT EXISTS ${SOURCE_DIR}/${CMAKE_MATCH_1})
        message(FATAL_ERROR "${image}: ${CMAKE_MATCH_1} is not in the source tree")
    endif()
    message(STATUS "${CMAKE_MATCH_1}: in the source tree")
endforeach()
