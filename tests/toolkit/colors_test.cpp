#include "toolkit/colors.h"

#include <gtest/gtest.h>

namespace signova {
namespace {

struct ColourCase {
    TColor color;
    Rgb rgb;
};

class ToolkitColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ToolkitColour, ResolvesToRgb) {
    EXPECT_EQ(ColorToRgb(GetParam().color), GetParam().rgb);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToolkitColour,
    ::testing::Values(ColourCase{0x333300, {0, 51, 51}}, ColourCase{0x004080, {128, 64, 0}},
                      ColourCase{clLime, {0, 255, 0}}, ColourCase{clGreen, {0, 128, 0}},
                      ColourCase{clRed, {255, 0, 0}}, ColourCase{clBlue, {0, 0, 255}},
                      ColourCase{clBtnFace, {240, 240, 240}}, ColourCase{clWindowText, {0, 0, 0}},
                      ColourCase{clWindow, {255, 255, 255}},
                      ColourCase{clBtnShadow, {160, 160, 160}}, ColourCase{0x80000040, {0, 0, 0}},
                      ColourCase{0xFF00000F, {0, 0, 0}}));

} // namespace
} // namespace signova
