# A Windows program needs no DLL of the compiler's runtime, which no Windows
# has: cmake -DOBJDUMP=... -DPROGRAM=... -P this file.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${headers}")
if(NOT dlls MATCHES "KERNEL32")
  message(FATAL_ERROR "no import table read from ${PROGRAM}")
endif()
string(TOLOWER "${dlls}" lower)
if(lower MATCHES "lib(stdc\\+\\+|gcc_s|winpthread|gomp|ssp)[^;]*\\.dll")
  message(FATAL_ERROR "${PROGRAM} needs a runtime DLL: ${dlls}")
endif()
