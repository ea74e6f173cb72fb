// The field calculators, from the texts typed to the text shown: reading
// (decimal comma), formula and rounding; empty while an input is not a number.
#include <gtest/gtest.h>

#include "calculators/CalculosCampo.h"

TEST(Calculadoras, DeTextoATexto)
{
    using T = std::tuple<const char*, const char*, const char*>;
    for (auto [v, di, r] : {T{"100", "25", "25.000"}, {"100,0", "25", "25.000"}, {"50", "100", "70.711"},
                            {"", "25", ""}, {".", "25", ""}})
        EXPECT_EQ(TextoDistanciaReducida(v, di), r) << v << " " << di;
    for (auto [v, dr, r] : {T{"50", "10", "111.500"}, {"100", "10", "101.500"}, {"50", "", ""}})
        EXPECT_EQ(TextoAlturaRemota("100", "1.5", v, dr), r) << v << " " << dr;
    EXPECT_EQ(TextoAlturaRemota("", "1.5", "50", "10"), "");
    // The reverse face 200 off the direct one, either side, across 0.
    for (auto [d, i, r] : {T{"100", "300.0002", "100.0001"}, {"100", "299.9998", "99.9999"},
                           {"399.9999", "200.0003", "0.0001"}, {"399.99", "199.98", "399.9850"},
                           {"399.99", "200.01", "0.0000"}, {"0.01", "200.03", "0.0200"}, {"100", "", ""}})
        EXPECT_EQ(TextoBesselHz(d, i), r) << d << " " << i;
    for (auto [d, i, r] : {T{"100.0010", "299.9996", "100.0007"}, {"99.99", "300.03", "99.9800"}, {"1.2.3", "300", ""}})
        EXPECT_EQ(TextoBesselV(d, i), r) << d << " " << i;
}
