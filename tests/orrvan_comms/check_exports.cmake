# Checks that the shared library LIBRARY exports its three entry points:
# cmake -DLIBRARY=<path> -P check_exports.cmake
execute_process(COMMAND nm -D -C --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm -D ${LIBRARY} failed")
endif()
foreach(entry get_ecu_manager get_default_comms_iface get_test_iface)
    string(FIND "${symbols}" " T Next_gen::${entry}()" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${LIBRARY} does not export Next_gen::${entry}()")
    endif()
endforeach()
