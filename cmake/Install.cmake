# What `make install` (or `cmake --install`) puts under the prefix: the console library as the
# makefiles written by rulegen expect it (include/wuna/utiles.h and utiles.o, for C programs),
# and its manual pages in section 3, so that `man pedirInt` works.
install(FILES ${CMAKE_SOURCE_DIR}/lib/utiles/utiles.h ${CMAKE_BINARY_DIR}/wuna/utiles.o
  DESTINATION include/wuna)
file(GLOB manual_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lib/utiles/man/*.3)
install(FILES ${manual_pages} DESTINATION share/man/man3)
