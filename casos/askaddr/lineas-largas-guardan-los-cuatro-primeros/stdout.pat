Escriba su nombre: Escriba su dirección: 

Su nombre es:    "Vald"
Su dirección es: " Call"


La dirección de "nombre" es {{u:nombre}}


La dirección de "direccion" es {{u:direccion}}


La dirección de "muda" es {{u:muda}}


La dirección de "otra" es {{u:otra}}
