# cmake -DPYTHON=<python3> -DSOUNDS=<sounds folder> -DSCRATCH=<empty folder> -P SoundsAsGenerated.cmake
# Runs the generator into SCRATCH and fails unless it writes exactly the committed WAV files, byte
# for byte, each under 30 KB.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${PYTHON} ${SOUNDS}/generate.py ${SCRATCH} RESULT_VARIABLE failed
                OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "the generator failed: ${failed}")
endif()
file(GLOB generated RELATIVE ${SCRATCH} ${SCRATCH}/*.wav)
file(GLOB committed RELATIVE ${SOUNDS} ${SOUNDS}/*.wav)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "the generator writes ${generated}; committed are ${committed}")
endif()
foreach(name IN LISTS committed)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SOUNDS}/${name} ${SCRATCH}/${name}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${name}: the committed file is not what the generator writes")
    endif()
    file(SIZE ${SOUNDS}/${name} size)
    if(size GREATER 30000)
        message(FATAL_ERROR "${name}: ${size} bytes, more than 30000")
    endif()
    message(STATUS "${name}: as generated, ${size} bytes")
endforeach()
