#include "greeting.h"

#include <cstdio>

int main()
{
    std::puts(Greeting());
    return 0;
}
