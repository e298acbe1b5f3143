Escriba su nombre: Escriba su dirección: 

Su nombre es:    "Oxan"
Su dirección es: " Sol"


La dirección de "nombre" es {{u:nombre}}


La dirección de "direccion" es {{u:direccion}}


La dirección de "muda" es {{u:muda}}


La dirección de "otra" es {{u:otra}}
