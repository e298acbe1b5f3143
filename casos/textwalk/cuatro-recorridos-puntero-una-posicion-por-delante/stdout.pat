Hola, Mundo

Hola, Mundo

p = {{u:texto+1}}, c = H
p = {{u:texto+2}}, c = o
p = {{u:texto+3}}, c = l
p = {{u:texto+4}}, c = a
p = {{u:texto+5}}, c = ,
p = {{u:texto+6}}, c =  
p = {{u:texto+7}}, c = M
p = {{u:texto+8}}, c = u
p = {{u:texto+9}}, c = n
p = {{u:texto+10}}, c = d
p = {{u:texto+11}}, c = o
p = {{u:texto+12}}, c = 


p = {{p:texto+1}}, c = H
p = {{p:texto+2}}, c = o
p = {{p:texto+3}}, c = l
p = {{p:texto+4}}, c = a
p = {{p:texto+5}}, c = ,
p = {{p:texto+6}}, c =  
p = {{p:texto+7}}, c = M
p = {{p:texto+8}}, c = u
p = {{p:texto+9}}, c = n
p = {{p:texto+10}}, c = d
p = {{p:texto+11}}, c = o
p = {{p:texto+12}}, c = 


