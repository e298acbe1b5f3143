A) Añadir al principio B) Mostrar S) Salir (1 <= x <= 120) Deme una edad: A) Añadir al principio B) Mostrar S) Salir 

***Opción incorrecta***

A) Añadir al principio B) Mostrar S) Salir 

***Opción incorrecta***

A) Añadir al principio B) Mostrar S) Salir 

***Opción incorrecta***

A) Añadir al principio B) Mostrar S) Salir 

***Opción incorrecta***

A) Añadir al principio B) Mostrar S) Salir 
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:cinco}} | p->edad  =    5 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

A) Añadir al principio B) Mostrar S) Salir 

¿Desea salir del programa (S/N)?...  

Se ha ejecutado el procedimiento de parada.



Terminación normal

