#include <iostream>

int main()
{
    std::cout << "Orvane " << ORVANE_VERSION_TEXT << std::endl;
    return 0;
}
