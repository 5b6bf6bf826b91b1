#include "FillEngine.h"

#include "core/Rounding.h"

#include <cmath>

namespace rectix::engine {

namespace {
float expF(long double x) {
    return core::toF32(std::exp(x));
}
// e^(n/10) for an integer exponent numerator, as the weight tables write them.
float expTenth(int n) {
    return expF(n / 10.0L);
}
} // namespace

// Box orders of the strategy tables: s is the position in the table, i the
// ordering number (they differ once row orders or skips came before).
void FillEngine::applyStrategy(int s, int i) {
    if (strategyMode == 1) {
        float lw;
        if (s < 0 || s > 55) {
            shuffleGroupsRandom();
            return;
        }
        if (s <= 4)
            lw = expTenth(25 - 2 * i);
        else if (s <= 15)
            lw = expTenth(40 - 2 * i);
        else if (s <= 22)
            lw = expTenth(2 * i - 56);
        else if (s == 23)
            lw = expF(0.8L);
        else if (s == 24)
            lw = expF(-4);
        else if (s == 25)
            lw = expF(-5);
        else if (s == 26)
            lw = -expF(-3);
        else if (s == 27)
            lw = expF(5);
        else if (s <= 29)
            lw = expTenth(62 - 2 * i);
        else if (s == 30)
            lw = -expF(-2);
        else if (s <= 36)
            lw = expTenth(2 * i - 72);
        else if (s == 37)
            lw = expF(0.2L);
        else if (s == 38) {
            sortOrderByWeightedSides(-1, expF(2.5L));
            return;
        } else if (s == 39) {
            sortOrderByWeightedSides(-1, expF(1.5L));
            return;
        } else if (s == 40)
            lw = expF(4);
        else
            lw = expTenth(93 - 2 * i);
        sortOrderByWeightedSides(1, lw);
        return;
    }
    if (strategyMode == 2) {
        // Columns: group factor, length weight, width weight.
        if (s == 0)
            sortOrderByWeightedSides(1, expF(-5));
        else if (s <= 5)
            sortGroupsByWeightedSides(4 * i, 1, 3);
        else if (s == 6)
            sortGroupsByAreaFactor(30);
        else if (s == 7)
            sortGroupsByAreaFactor(60);
        else if (s == 8)
            sortGroupsByWeightedSides(50, 1, 3);
        else if (s <= 11)
            sortGroupsByAreaFactor(4 * (i - 9));
        else if (s == 12)
            sortOrderByWeightedSides(1, expF(-2));
        else if (s == 13)
            sortGroupsByAreaFactor(15);
        else if (s <= 16)
            sortGroupsByWeightedSides(8 * (i - 14) + 6, 1, 20);
        else if (s <= 18)
            sortGroupsByWeightedSides(8 * (i - 17) + 10, 20, 1);
        else if (s == 19)
            sortGroupsByAreaFactor(10);
        else if (s == 20)
            sortGroupsByAreaFactor(6);
        else if (s <= 23)
            sortGroupsByWeightedSides(3 * (i - 21), 5, 1);
        else if (s <= 25)
            sortGroupsByWeightedSides(2 * (i - 24), 1, 3);
        else if (s == 26)
            sortGroupsByWeightedSides(30, 1, 3);
        else if (s <= 31)
            sortGroupsByWeightedSides(2 * (i - 27), 1, 1);
        else if (s == 32)
            sortGroupsByAreaFactor(100);
        else if (s == 33)
            sortGroupsByAreaFactor(2);
        else if (s == 34)
            sortGroupsByAreaFactor(1);
        else if (s <= 39)
            sortGroupsByWeightedSides(2 * (i - 35), 1, 2);
        else if (s <= 44)
            sortGroupsByWeightedSides(2 * (i - 40), 2, 1);
        else
            shuffleGroupsRandom();
        return;
    }
    const int g = maxGroupSize / 3;
    switch (s) {
    case 0:
        sortOrderByWeightedSides(1, 7);
        break;
    case 1:
        sortOrderByWeightedSides(1, 5);
        break;
    case 2:
        sortOrderByWeightedSides(5, 1);
        break;
    case 3:
        sortGroupsByWeightedSides(g, 1, 3);
        break;
    case 4:
        sortOrderByArea();
        break;
    case 5:
        sortGroupsByAreaFactor(g);
        break;
    case 6:
        sortGroupsByWeightedSides(g, 3, 1);
        break;
    case 7:
        sortGroupsByWeightedSides(g, 1, 1);
        break;
    case 8:
        sortOrderByWeightedSides(1, 1);
        break;
    case 9:
        sortGroupsByLengthFactor(g);
        sortOrderByTwoKeys(boxLen, boxWid);
        break;
    case 10:
        sortGroupsByWidthFactor(g);
        sortOrderByTwoKeys(boxWid, boxLen);
        break;
    case 11:
        sortOrderByKey(1, boxN, boxWid);
        sortOrderByTwoKeys(boxWid, boxLen);
        break;
    case 12:
        sortOrderByKey(1, boxN, boxLen);
        sortOrderByTwoKeys(boxLen, boxWid);
        break;
    default:
        shuffleGroupsRandom();
        break;
    }
}

} // namespace rectix::engine
