# Runs talvero-cli apr-check on a CSV file and checks the verdict rows, the bad row's report and the
# exit code. Called with -DCLI=<program> -DCSV=<file>.
execute_process(COMMAND ${CLI} apr-check ${CSV} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message(STATUS "stdout:\n${out}")
message(STATUS "stderr:\n${err}")
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "exit code ${rc}, expected 1 (a loan outside tolerance)")
endif()
foreach(expected
    "ROW,LOAN,TRANSACTION,TOLERANCE,DISCLOSED,ACTUARIAL,DIFFERENCE,VERDICT,FINANCECHARGE,DISCLOSEDFC,FCVERDICT"
    "2,A,Regular,0.125,10.000,10.000,0.000,Within tolerance,"
    "3,B,Regular,0.125,10.500,10.000,0.500,Outside tolerance,"
    "5,D,Regular,0.125,10.100,10.000,0.100,Within tolerance,"
    "6,E,Irregular,0.250,8.990,8.995,-0.005,Within tolerance,")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing in the output: ${expected}")
  endif()
endforeach()
string(FIND "${out}" "\n4," at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the bad row 4 has a verdict")
endif()
foreach(expected "row 4: FINANCEAMT: 'abc' is not a valid floating point value (skipped)"
                 "4 loans checked, 1 outside tolerance, 1 rows skipped")
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing in the error output: ${expected}")
  endif()
endforeach()
