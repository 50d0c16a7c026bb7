# Piped end-to-end cases kept as data: each cram transcript in transcripts/ types its keys into
# the program named by $TAVOLENT and lists the output it expects.
find_program(CRAM_PROGRAM NAMES cram3 cram REQUIRED)
file(GLOB TRANSCRIPTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/transcripts/*.t)

# add_transcript_tests(<test name prefix> <program> [<VARIABLE=value> ...]): one test per
# transcript; TRANSCRIPT_FIXTURE, if set, names a fixture they need, and TRANSCRIPT_LAUNCHER a
# command that runs cram. A transcript takes seconds where most unit tests take milliseconds: its
# COST starts the transcripts first, until ctest has times of its own from an earlier run.
function(add_transcript_tests prefix program)
  foreach(transcript IN LISTS TRANSCRIPTS)
    get_filename_component(name ${transcript} NAME_WE)
    add_test(NAME ${prefix}${name} COMMAND ${TRANSCRIPT_LAUNCHER} ${CRAM_PROGRAM} --shell=/bin/bash ${transcript})
    set_tests_properties(${prefix}${name} PROPERTIES TIMEOUT 600 COST 3 FIXTURES_REQUIRED "${TRANSCRIPT_FIXTURE}"
      ENVIRONMENT "TAVOLENT=${program};TAVOLENT_VERSION=${PROJECT_VERSION};TAVOLENT_SANITIZED=${TAVOLENT_SANITIZE};${ARGN}")
  endforeach()
endfunction()
