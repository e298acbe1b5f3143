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

