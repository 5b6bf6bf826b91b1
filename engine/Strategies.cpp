#include "FillEngine.h"

#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

namespace {
float ExpF(long double x) {
    return core::toF32(std::exp(x));
}
// e^(n/10) for an integer exponent numerator, as the weight tables write them.
float ExpTenth(int n) {
    return ExpF(n / 10.0L);
}
} // namespace

// Box orders of the strategy tables: s is the position in the table, i the
// ordering number (they differ once row orders or skips came before).
void FillEngine::ApplyStrategy(int s, int i) {
    if (StrategyMode == 1) {
        float lw;
        if (s < 0 || s > 55) {
            ShuffleGroupsRandom();
            return;
        }
        if (s <= 4)
            lw = ExpTenth(25 - 2 * i);
        else if (s <= 15)
            lw = ExpTenth(40 - 2 * i);
        else if (s <= 22)
            lw = ExpTenth(2 * i - 56);
        else if (s == 23)
            lw = ExpF(0.8L);
        else if (s == 24)
            lw = ExpF(-4);
        else if (s == 25)
            lw = ExpF(-5);
        else if (s == 26)
            lw = -ExpF(-3);
        else if (s == 27)
            lw = ExpF(5);
        else if (s <= 29)
            lw = ExpTenth(62 - 2 * i);
        else if (s == 30)
            lw = -ExpF(-2);
        else if (s <= 36)
            lw = ExpTenth(2 * i - 72);
        else if (s == 37)
            lw = ExpF(0.2L);
        else if (s == 38) {
            SortOrderByWeightedSides(-1, ExpF(2.5L));
            return;
        } else if (s == 39) {
            SortOrderByWeightedSides(-1, ExpF(1.5L));
            return;
        } else if (s == 40)
            lw = ExpF(4);
        else
            lw = ExpTenth(93 - 2 * i);
        SortOrderByWeightedSides(1, lw);
        return;
    }
    if (StrategyMode == 2) {
        // Columns: group factor, length weight, width weight.
        if (s == 0)
            SortOrderByWeightedSides(1, ExpF(-5));
        else if (s <= 5)
            SortGroupsByWeightedSides(4 * i, 1, 3);
        else if (s == 6)
            SortGroupsByAreaFactor(30);
        else if (s == 7)
            SortGroupsByAreaFactor(60);
        else if (s == 8)
            SortGroupsByWeightedSides(50, 1, 3);
        else if (s <= 11)
            SortGroupsByAreaFactor(4 * (i - 9));
        else if (s == 12)
            SortOrderByWeightedSides(1, ExpF(-2));
        else if (s == 13)
            SortGroupsByAreaFactor(15);
        else if (s <= 16)
            SortGroupsByWeightedSides(8 * (i - 14) + 6, 1, 20);
        else if (s <= 18)
            SortGroupsByWeightedSides(8 * (i - 17) + 10, 20, 1);
        else if (s == 19)
            SortGroupsByAreaFactor(10);
        else if (s == 20)
            SortGroupsByAreaFactor(6);
        else if (s <= 23)
            SortGroupsByWeightedSides(3 * (i - 21), 5, 1);
        else if (s <= 25)
            SortGroupsByWeightedSides(2 * (i - 24), 1, 3);
        else if (s == 26)
            SortGroupsByWeightedSides(30, 1, 3);
        else if (s <= 31)
            SortGroupsByWeightedSides(2 * (i - 27), 1, 1);
        else if (s == 32)
            SortGroupsByAreaFactor(100);
        else if (s == 33)
            SortGroupsByAreaFactor(2);
        else if (s == 34)
            SortGroupsByAreaFactor(1);
        else if (s <= 39)
            SortGroupsByWeightedSides(2 * (i - 35), 1, 2);
        else if (s <= 44)
            SortGroupsByWeightedSides(2 * (i - 40), 2, 1);
        else
            ShuffleGroupsRandom();
        return;
    }
    const int g = MaxGroupSize / 3;
    switch (s) {
    case 0:
        SortOrderByWeightedSides(1, 7);
        break;
    case 1:
        SortOrderByWeightedSides(1, 5);
        break;
    case 2:
        SortOrderByWeightedSides(5, 1);
        break;
    case 3:
        SortGroupsByWeightedSides(g, 1, 3);
        break;
    case 4:
        SortOrderByArea();
        break;
    case 5:
        SortGroupsByAreaFactor(g);
        break;
    case 6:
        SortGroupsByWeightedSides(g, 3, 1);
        break;
    case 7:
        SortGroupsByWeightedSides(g, 1, 1);
        break;
    case 8:
        SortOrderByWeightedSides(1, 1);
        break;
    case 9:
        SortGroupsByLengthFactor(g);
        SortOrderByTwoKeys(BoxLen, BoxWid);
        break;
    case 10:
        SortGroupsByWidthFactor(g);
        SortOrderByTwoKeys(BoxWid, BoxLen);
        break;
    case 11:
        SortOrderByKey(1, BoxN, BoxWid);
        SortOrderByTwoKeys(BoxWid, BoxLen);
        break;
    case 12:
        SortOrderByKey(1, BoxN, BoxLen);
        SortOrderByTwoKeys(BoxLen, BoxWid);
        break;
    default:
        ShuffleGroupsRandom();
        break;
    }
}

} // namespace rectix::engine
