// The outlines of the sliding pop-up, written by resources/tools/sagoma_popup.py:
// runs of entries (first, increment, count); an entry is left, y, right in
// nine digits and covers rows y and y + 1.

#include "ui/frmTransparency.h"

#include <iterator>

namespace {

// 363 x 205 pixels, 103 entries.
const SerieCampate serie_piccola[] = {
    {6'000'010u, 1'002'003, 22},
    {14'044'349u, 0, 1},
    {9'046'354u, 0, 1},
    {7'048'356u, 0, 1},
    {5'050'358u, 0, 1},
    {3'052'360u, 0, 1},
    {2'054'361u, 0, 1},
    {1'056'362u, 0, 1},
    {1'058'362u, 0, 1},
    {60'363u, 2'000, 65},
    {1'190'362u, 0, 1},
    {2'192'361u, 0, 1},
    {3'194'360u, 0, 1},
    {4'196'359u, 0, 1},
    {6'198'357u, 0, 1},
    {8'200'355u, 0, 1},
    {11'202'352u, 0, 1},
    {16'204'347u, 0, 1},
};

// 519 x 293 pixels, 147 entries.
const SerieCampate serie_grande[] = {
    {9'000'014u, 1'002'004, 31},
    {21'062'498u, 0, 1},
    {15'064'504u, 0, 1},
    {12'066'507u, 0, 1},
    {9'068'510u, 0, 1},
    {7'070'512u, 0, 1},
    {6'072'513u, 0, 1},
    {4'074'515u, 0, 1},
    {3'076'516u, 0, 1},
    {2'078'517u, 0, 1},
    {1'080'518u, 0, 1},
    {1'082'518u, 0, 1},
    {84'519u, 2'000, 93},
    {1'270'518u, 0, 1},
    {1'272'518u, 0, 1},
    {2'274'517u, 0, 1},
    {3'276'516u, 0, 1},
    {4'278'515u, 0, 1},
    {5'280'514u, 0, 1},
    {7'282'512u, 0, 1},
    {8'284'511u, 0, 1},
    {11'286'508u, 0, 1},
    {14'288'505u, 0, 1},
    {18'290'501u, 0, 1},
    {23'292'496u, 0, 1},
};

} // namespace

const std::vector<uint32_t> &CampateSagoma(bool schermoGrande)
{
    static const std::vector<uint32_t> piccola =
        EspandiSerie(serie_piccola, int(std::size(serie_piccola)));
    static const std::vector<uint32_t> grande =
        EspandiSerie(serie_grande, int(std::size(serie_grande)));
    return schermoGrande ? grande : piccola;
}
