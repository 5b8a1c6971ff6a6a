# The warnings our own targets are built with (headers of Qt, X11, GoogleTest and the
# system come in as system headers and stay quiet). ORVALE_WERROR makes them errors.
option(ORVALE_WERROR "Treat warnings as errors" OFF)

set(ORVALE_WARNINGS
  -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Wformat=2 -Wcast-qual)

function(orvale_warnings target)
  target_compile_options(${target} PRIVATE ${ORVALE_WARNINGS} $<$<BOOL:${ORVALE_WERROR}>:-Werror>)
endfunction()
