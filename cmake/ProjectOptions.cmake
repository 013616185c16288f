# Compiler settings shared by every target of our own.

# Several results are fixed to the bit: no contraction into fused multiply-adds, no fast-math.
add_compile_options(-ffp-contract=off -fno-fast-math -march=x86-64-v2)

if(NOTECHANNELS_SANITIZE)
  list(JOIN NOTECHANNELS_SANITIZE "," _sanitizers)
  add_compile_options(-fsanitize=${_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_sanitizers})
endif()

# Warnings as errors on our own code only (not on Qt's or the test framework's headers).
function(notechannels_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
