# Warnings and sanitizers for every target of the project (targets call velt_set_warnings).
function(velt_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<IF:$<CXX_COMPILER_ID:GNU>,-Wshadow=local,-Wshadow-uncaptured-local>
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wformat=2)
  if(VELT_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Strict strings for the library's modules and the programs (not the tests, which use the public
# headers as any host does): no implicit conversion of 8-bit text to QString, so every literal
# says its encoding, and `+` on strings builds the result in one allocation (QStringBuilder).
# Public headers compile with and without these.
function(velt_use_strict_strings target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER)
endfunction()

if(VELT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
