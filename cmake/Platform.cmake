# curso_platform_facts(<file>): writes the facts of the programs' platform that a case may
# depend on (its "platform" file): type sizes and whether char is signed, as the compiler of
# this build sees them. The tests' build and the site's (tools/web) write them alike.
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
  file(WRITE ${file} "${platform_facts}")
endfunction()
