// Starts and ends at once: tells the test runner whether programs of this bitness run here.
int main() { return 0; }
