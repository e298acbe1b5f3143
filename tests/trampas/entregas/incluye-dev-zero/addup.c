/* Trampa: un #include que no acaba nunca. Solo el límite de memoria de la compilación lo para. */
#include "/dev/zero"
