// lexifind-icon SIZE FILE.png: writes the desktop icon at SIZE x SIZE pixels (build step).

#include "ui/main/Logo.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("Usage : lexifind-icon TAILLE FICHIER.png\n", stderr);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < 8 || size > 1024 || !lexifind::IconImage(size).save(QString::fromLocal8Bit(argv[2])))
        return 1;
    return 0;
}
