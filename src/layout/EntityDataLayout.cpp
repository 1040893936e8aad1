#include "layout/EntityDataLayout.h"

#include "model/Numbers.h"

#include <optional>

namespace {

// A 16-bit sum, or no value when it overflows (or a term has none).
std::optional<qint16> sum16(std::optional<qint16> a, int b)
{
    if (!a)
        return std::nullopt;
    const int total = *a + b;
    if (total < -32768 || total > 32767)
        return std::nullopt;
    return static_cast<qint16>(total);
}

std::optional<qint16> twice(std::optional<qint16> a)
{
    return a ? sum16(a, *a) : std::nullopt;
}

} // namespace

void layoutEntityData(FormGeometry<EntityDataControl>& g, double W, double H)
{
    using enum EntityDataControl;

    // The width of each column, the left of the third and the lists' height
    // are whole 16-bit numbers.
    const std::optional<qint16> K = numbers::roundToInt16(W / 3 - 120);
    const std::optional<qint16> L3 = sum16(twice(K), 240);
    const std::optional<qint16> h = numbers::roundToInt16(H - 240);

    if (K) {
        for (const EntityDataControl c : {lstCurEnt, lstCurDat, txtData, cmdApply, lblTip, cmdClose})
            g.setWidth(c, *K);
    }
    if (const std::optional<qint16> datLeft = sum16(K, 120))
        g.setLeft(lstCurDat, *datLeft);
    if (L3) {
        for (const EntityDataControl c : {txtData, cmdApply, lblTip, cmdClose})
            g.setLeft(c, *L3);
    }
    if (h) {
        g.setHeight(lstCurEnt, *h);
        g.setHeight(lstCurDat, *h);
    }
    // The tip takes all the height between Apply and Close.
    g.setHeight(lblTip, H - g.top(lblTip) - g.height(cmdClose) - 240);
    g.setTop(cmdClose, g.top(lblTip) + g.height(lblTip) + 120);
}
