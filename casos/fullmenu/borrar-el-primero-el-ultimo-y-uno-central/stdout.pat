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
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:n20}} | p->edad  =   20 | p->sig = {{p:n40}} |
| p = {{p:n40}} | p->edad  =   40 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: 
No hay ningún nodo con esa edad

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
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
| p = {{p:n40}} | p->edad  =   40 | p->sig = {{p:n60}} |
| p = {{p:n60}} | p->edad  =   60 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  (1 <= x <= 120) Deme la edad del nodo a borrar: A) Añadir al ppio    B) Añadir al final
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
                     Seleccione una opción -->  
No hay nada que mostrar, lista vacía

A) Añadir al ppio    B) Añadir al final
C) Quitar ppio       D) Quitar final
E) Vaciar lista      F) Insertar ordenado
G) Borrar nodo       M) Mostrar lista
S) Salir
                     Seleccione una opción -->  

¿Desea salir del programa (S/N)?...  

Se ha ejecutado el procedimiento de parada.



Terminación normal

