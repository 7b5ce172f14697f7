#include "app/modClavora.h"

int main(int argc, char **argv)
{
    return AvvioProgramma(argc, argv);
}
