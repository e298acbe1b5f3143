Numero vale : 33
Puntero vale : {{p:numero}}
