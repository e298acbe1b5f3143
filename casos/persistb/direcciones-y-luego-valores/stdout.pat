
Direcciones de las variables locales

La dirección de argumento es              {{p:argumento}}
La dirección de variableLocal es          {{p:variableLocal}}
La dirección de variableLocalEstatica es  {{p:variableLocalEstatica}}

->Primera llamada

En esta ejecución, argumento          = 7

variableLocal                         = 7
variableLocalEstatica                 = 7

->Segunda llamada

En esta ejecución, argumento          = 0

variableLocal                         = 0
variableLocalEstatica                 = 7

->Tercera llamada

En esta ejecución, argumento          = 777

variableLocal                         = 777
variableLocalEstatica                 = 777
Cuarta llamada

En esta ejecución, argumento          = 0

variableLocal                         = 0
variableLocalEstatica                 = 777
