#include "app/Composizione.h"

int main(int argc, char **argv)
{
    return AvvioProgramma(argc, argv);
}
