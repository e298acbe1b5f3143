int main(void) {
    int a = 1, b = 2, c = 3;
    printf("\n\nLa suma de %d, %d y %d es %d\n\n", a, b, c, a + b + c);
    return 0;
}
