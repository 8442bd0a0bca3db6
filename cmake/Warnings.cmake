# One warning level for every target of the project; warnings are errors so
# the build stays clean.
function(mx_set_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow
        -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
endfunction()
