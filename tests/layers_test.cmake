# Compiles one include in a layer's include view and checks the outcome: a header of the layer or
# below is found, a header of a layer above is not. Run by CTest with:
#   -DCOMPILER=... -DVIEWS=<include-views folder> -DLAYER=<name> -DHEADER=<path> -DEXPECT=found|missing
# One source per probe: probes of one layer run side by side.
string(MAKE_C_IDENTIFIER "${LAYER}_${HEADER}" probe)
set(source ${CMAKE_CURRENT_BINARY_DIR}/layer_probe_${probe}.cpp)
file(WRITE ${source} "#include \"${HEADER}\"\n")
execute_process(
  COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${VIEWS}/${LAYER} ${source}
  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
string(FIND "${errors}" "${HEADER}: No such file" missing_at)
if(EXPECT STREQUAL "found" AND NOT result EQUAL 0)
  message(FATAL_ERROR "${LAYER} cannot include ${HEADER}:\n${errors}")
elseif(EXPECT STREQUAL "missing" AND (result EQUAL 0 OR missing_at EQUAL -1))
  message(FATAL_ERROR "${LAYER} can include ${HEADER}, a header of a layer above it:\n${errors}")
endif()
