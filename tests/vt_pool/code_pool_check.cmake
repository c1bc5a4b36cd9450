# The code-built pool as start-up encodes it, read by the independent pool
# checker: dump_code_pool writes it, iop_check must find it sound, and its
# count of objects per type must match the summary kept beside this file.
# With -DUPDATE=ON the summary is rewritten instead (after a sound check);
# the build target update_code_pool_summary does that.
#   cmake -DDUMP=dump_code_pool -DCHECK=iop_check -DPOOL=out.iop
#         -DSUMMARY=code_pool_summary.txt [-DUPDATE=ON] -P code_pool_check.cmake
execute_process(COMMAND ${DUMP} ${POOL} RESULT_VARIABLE dumped OUTPUT_VARIABLE dump_out ERROR_VARIABLE dump_err)
if(NOT dumped EQUAL 0)
    message(FATAL_ERROR "dump_code_pool failed (${dumped}):\n${dump_out}${dump_err}")
endif()
execute_process(COMMAND ${CHECK} ${POOL} RESULT_VARIABLE checked OUTPUT_VARIABLE report ERROR_VARIABLE check_err)
message("${report}")
if(NOT checked EQUAL 0)
    message(FATAL_ERROR "iop_check did not find the pool sound (${checked}):\n${check_err}")
endif()

# The per-type lines of the report: "  1 Data Mask: 47".
string(REPLACE "\n" ";" lines "${report}")
set(counts "")
foreach(line IN LISTS lines)
    if(line MATCHES "^[ 0-9][ 0-9][0-9] [^:]+: [0-9]+$")
        string(APPEND counts "${line}\n")
    endif()
endforeach()

if(UPDATE)
    file(WRITE ${SUMMARY} "${counts}")
    message(STATUS "wrote ${SUMMARY}")
    return()
endif()
file(READ ${SUMMARY} expected)
if(NOT counts STREQUAL expected)
    message(FATAL_ERROR "the pool's objects per type differ from ${SUMMARY}:\n"
                        "expected:\n${expected}found:\n${counts}"
                        "If the change is meant, rewrite the summary with\n"
                        "  cmake --build <build folder> --target update_code_pool_summary")
endif()
