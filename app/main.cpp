#include "PellorStartup.h"

int main(int argc, char *argv[])
{
    return PellorStartup::run(argc, argv);
}
