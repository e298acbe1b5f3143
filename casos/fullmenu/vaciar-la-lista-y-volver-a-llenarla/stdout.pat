A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  A) Añadir al ppio    B) Añadir al final
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
                     Seleccione una opción -->  (1 <= x <= 120) Deme una edad: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  
No hay nada que mostrar, lista vacía

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  
No hay nada que quitar, lista vacía

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
| p = {{p:n5}} | p->edad  =    5 | p->sig = {{p:n4}} |
| p = {{p:n4}} | p->edad  =    4 | p->sig = {{nil}} |
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

