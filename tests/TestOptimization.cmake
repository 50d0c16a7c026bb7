# tavolent_test_optimization(<target>): the tests' own code at -Og in the optimised builds. What
# they test is compiled with the build's flags in the floors' libraries, which the tests call; their
# own code is drivers, references and checks, and at -Og it builds in less than half the time
# (-O0 would trip _FORTIFY_SOURCE). IEEE results do not depend on the level, since nothing
# contracts.
function(tavolent_test_optimization target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-Og>)
endfunction()
