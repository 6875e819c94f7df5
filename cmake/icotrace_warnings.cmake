# Host builds may carry AddressSanitizer and UBSan. They go on every target of
# the tree (our code, the fakes, the tests, whatever is added later), set here
# before the first add_subdirectory, so no executable can link an instrumented
# library without the runtime. A finding stops the test that met it. GCC
# leaves float-to-integer overflow out of "undefined"; it is asked for by name.
if(ICOTRACE_SANITIZE)
  if(WIN32)
    message(WARNING "ICOTRACE_SANITIZE applies to host builds only; ignored here")
  else()
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
  endif()
endif()

# Warnings are errors on our own code, whatever the compiler. The options are
# the C++ compiler's: Visual Studio's resource compiler refuses them.
function(icotrace_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:/W4;/WX;/utf-8;/permissive->")
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 at -O3 reports its own string concatenation as an overlapping
    # copy (a false alarm inside libstdc++); it must not stop a Release build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                 _WIN32_WINNT=0x0601)
  endif()
endfunction()
