#include "ui/main/Startup.h"

int main(int argc, char *argv[])
{
    return lexifind::Run(argc, argv);
}
