p = {{u:numeros}} y *p = 1
p = {{u:numeros+4}} y *p = 2
p = {{u:numeros+8}} y *p = 3
