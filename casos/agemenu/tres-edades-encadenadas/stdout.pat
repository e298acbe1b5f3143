A) Añadir al principio B) Mostrar S) Salir (1 <= x <= 120) Deme una edad: A) Añadir al principio B) Mostrar S) Salir (1 <= x <= 120) Deme una edad: A) Añadir al principio B) Mostrar S) Salir (1 <= x <= 120) Deme una edad: A) Añadir al principio B) Mostrar S) Salir 
+--------------+-----------------+-------------------+
| Puntero      | Valor           | Siguiente         |
+--------------+-----------------+-------------------+
| p = {{p:n60}} | p->edad  =   60 | p->sig = {{p:n45}} |
| p = {{p:n45}} | p->edad  =   45 | p->sig = {{p:n30}} |
| p = {{p:n30}} | p->edad  =   30 | p->sig = {{nil}} |
+--------------+-----------------+-------------------+

A) Añadir al principio B) Mostrar S) Salir 

¿Desea salir del programa (S/N)?...  

Se ha ejecutado el procedimiento de parada.



Terminación normal

