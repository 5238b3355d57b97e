// Tells the test runner whether programs of this bitness run here: a loader that
// cannot start it may still exit with 0, but it cannot print this line.
#include <cstdio>

int main() {
    std::puts("sendwarden: started");
    return 0;
}
