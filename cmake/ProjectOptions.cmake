# Compiler settings shared by every target of our own. They apply to this project's own targets
# only: nothing here reaches a consumer of the installed package.

# Several results are fixed to the bit: no contraction into fused multiply-adds, no fast-math.
add_compile_options(-ffp-contract=off -fno-fast-math)

# The x86-64-v2 baseline (SSE4.2, POPCNT) for our own builds; a consumer's build of the library runs
# on any x86-64 unless it asks for it. Faster kernels are chosen at run time either way.
if(NOTECHANNELS_X86_64_V2)
  add_compile_options(-march=x86-64-v2)
endif()

if(NOTECHANNELS_SANITIZE)
  list(JOIN NOTECHANNELS_SANITIZE "," _sanitizers)
  add_compile_options(-fsanitize=${_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_sanitizers})
endif()

# Warnings as errors on our own code only (not on Qt's or the test framework's headers).
function(notechannels_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
