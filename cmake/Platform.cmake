# curso_platform_facts(<file>): writes the facts of the programs' platform that a case may
# depend on (its "platform" file): type sizes, whether char is signed and errno's number for a
# full disk, as the compiler of this build sees them. The tests' build and the site's (tools/web) write them alike.
include(CheckTypeSize)
include(CheckCSourceCompiles)
function(curso_platform_facts file)
  set(platform_facts "")
  foreach(type short int long "long long" float double "long double" "void *")
    string(MAKE_C_IDENTIFIER "size_${type}" variable)
    check_type_size("${type}" ${variable} BUILTIN_TYPES_ONLY LANGUAGE C)
    string(APPEND platform_facts "sizeof(${type}) = ${${variable}}\n")
  endforeach()
  check_c_source_compiles("int main(void) { char fits[(char)-1 < 0 ? 1 : -1]; (void)fits; return 0; }"
    CURSO_CHAR_IS_SIGNED)
  if(CURSO_CHAR_IS_SIGNED)
    string(APPEND platform_facts "char is signed\n")
  else()
    string(APPEND platform_facts "char is unsigned\n")
  endif()
  # A program that prints errno's number shows the system's own: Linux's and macOS's 28 for a
  # full disk, another elsewhere (WASI's is 51).
  check_c_source_compiles("#include <errno.h>\nint main(void) { char is28[ENOSPC == 28 ? 1 : -1]; (void)is28; return 0; }"
    CURSO_ENOSPC_IS_28)
  if(CURSO_ENOSPC_IS_28)
    string(APPEND platform_facts "ENOSPC = 28\n")
  endif()
  file(WRITE ${file} "${platform_facts}")
endfunction()
