A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme una edad: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme una edad: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:n45}} | p->edad  =   45 | p->sig = {{p:n30}} |
| p = {{p:n30}} | p->edad  =   30 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  

¿Desea salir del programa (S/N)?...  

Se ha ejecutado el procedimiento de parada.



Terminación normal

