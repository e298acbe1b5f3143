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
                     Seleccione una opción -->  
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:n20}} | p->edad  =   20 | p->sig = {{p:n40a}} |
| p = {{p:n40a}} | p->edad  =   40 | p->sig = {{p:n60}} |
| p = {{p:n60}} | p->edad  =   60 | p->sig = {{p:n70}} |
| p = {{p:n70}} | p->edad  =   70 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

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
                     Seleccione una opción -->  
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:n10}} | p->edad  =   10 | p->sig = {{p:n20}} |
| p = {{p:n20}} | p->edad  =   20 | p->sig = {{p:n40a}} |
| p = {{p:n40a}} | p->edad  =   40 | p->sig = {{p:n40b}} |
| p = {{p:n40b}} | p->edad  =   40 | p->sig = {{p:n60}} |
| p = {{p:n60}} | p->edad  =   60 | p->sig = {{p:n70}} |
| p = {{p:n70}} | p->edad  =   70 | p->sig = {{p:n99}} |
| p = {{p:n99}} | p->edad  =   99 | p->sig = {{p:n100}} |
| p = {{p:n100}} | p->edad  =  100 | p->sig = {{nil}} |
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

