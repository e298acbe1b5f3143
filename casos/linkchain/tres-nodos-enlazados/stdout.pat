
Contenido de una lista simplemente enlazada
-------------------------------------------

| Puntero      | Valor           | Siguiente         |
| p = {{p:a}} | p->valor =   33 | p->sig = {{p:b}} |
| p = {{p:b}} | p->valor =   44 | p->sig = {{p:c}} |
| p = {{p:c}} | p->valor =   55 | p->sig = {{nil}} |
