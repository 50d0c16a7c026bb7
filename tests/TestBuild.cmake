# tavolent_test_build(<target>): how every test binary is compiled.
# - One unit of all its files, which reads GoogleTest and the library's headers once instead of
#   once a file: the file-scope helpers of a binary's files must differ in name.
# - Its own code at -Og in the optimised builds. What the tests test is compiled with the build's
#   flags in the floors' libraries, which they call; their own code is drivers, references and
#   checks, and at -Og it builds in less than half the time (-O0 would trip _FORTIFY_SOURCE).
#   IEEE results do not depend on the level, since nothing contracts.
function(tavolent_test_build target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-Og>)
endfunction()
