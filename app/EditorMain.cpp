// Entry point of the editor. The application shell is not built yet: until it
// is, the program says so and exits, so that the start-up command is honest.
#include <cstdio>

int main()
{
    std::puts("The map editor's application shell is not built yet; run the tests instead.");
    return 0;
}
