# Warnings are errors for every target of ours.
function(ortolino_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
