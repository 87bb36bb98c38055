#include "Application.hpp"

int main(int argc, char* argv[])
{
    return Orvane::Application().Run(argc, argv);
}
