#include <cstdio>

int main()
{
    std::puts("usage: veloquin-cli COMMAND ...");
    return 2;
}
